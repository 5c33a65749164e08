#include "app/DictionaryFolder.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>

namespace {

const QString FolderKey = QStringLiteral("dictionaryFolder");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A folder named on the command line, or the folder of a file named there;
// empty when there is neither.
QString folderOf(const QString& argument)
{
    const QFileInfo named(argument);
    if (named.isDir()) {
        return named.absoluteFilePath();
    }
    return named.isFile() ? named.absolutePath() : QString();
}

void warn(QWidget* parent, const QString& text)
{
    MessageBox::show(parent, text, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Warning);
}

// The offer of a first start; `folder` is the one without a dictionary, if any.
QString offerText(const QString& folder)
{
    const QString without =
        folder.isEmpty()
            ? QString()
            : QStringLiteral("Im Ordner „%1“ ist kein Wörterbuch.\n\n").arg(native(folder));
    return without + QStringLiteral("Ein LEXA-Wörterbuch ist ein Ordner mit den Dateien "
                                    "„LEXA.MDB“ und „THEME.MDB“. Wählen Sie den Ordner eines "
                                    "Wörterbuchs, oder legen Sie ein neues, leeres Wörterbuch "
                                    "an.");
}

// Takes the folder the user picked for `offer`; empty when it will not do
// (a box has said why).
QString take(DictionaryFolder::Offer offer, const QString& folder, QWidget* parent)
{
    if (offer == DictionaryFolder::Offer::Open) {
        if (DictionaryFolder::holdsDictionary(folder)) {
            return folder;
        }
        warn(parent, QStringLiteral("Im Ordner „%1“ ist kein Wörterbuch (keine Datei "
                                    "„LEXA.MDB“).")
                         .arg(native(folder)));
        return {};
    }
    QString error;
    if (!DictionaryFolder::createEmpty(folder, &error)) {
        warn(parent, error);
        return {};
    }
    return folder;
}

} // namespace

namespace DictionaryFolder {

bool holdsDictionary(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(Schema::DictionaryFile)).isFile();
}

bool createEmpty(const QString& folder, QString* error)
{
    const QDir dir(folder);
    for (const QLatin1StringView file : {Schema::DictionaryFile, Schema::ThemesFile}) {
        if (QFileInfo::exists(dir.filePath(file))) {
            *error = QStringLiteral("Im Ordner „%1“ gibt es schon eine Datei „%2“; LEXA legt "
                                    "dort kein neues Wörterbuch an.")
                         .arg(native(folder), file);
            return false;
        }
    }
    const std::pair<QLatin1StringView, QLatin1StringView> files[] = {
        {Schema::DictionaryFile, Schema::CreateDictionary},
        {Schema::ThemesFile, Schema::CreateThemes}};
    QStringList made;
    for (const auto& [file, schema] : files) {
        made.append(dir.filePath(file));
        Database db;
        Result created = db.create(made.last(), schema);
        if (created) {
            created = db.close();
        }
        if (!created) {
            *error = created.error;
            for (const QString& partial : made) {
                QFile::remove(partial);
            }
            return false;
        }
    }
    return true;
}

QString choose(const QString& argument, const QString& remembered, const Questions& ask,
               QWidget* parent)
{
    QString looked; // the folder without a dictionary, for the offer
    if (!argument.isEmpty()) {
        const QString named = folderOf(argument);
        if (named.isEmpty()) {
            warn(parent, QStringLiteral("Der Ordner „%1“ existiert nicht.").arg(native(argument)));
        } else if (holdsDictionary(named)) {
            return named;
        }
        looked = named;
    } else {
        for (const QString& folder : {QDir::currentPath(), remembered}) {
            if (holdsDictionary(folder)) {
                return folder;
            }
        }
        looked = QDir::currentPath();
    }
    for (;;) {
        const Offer offer = ask.offer(offerText(looked));
        if (offer == Offer::Quit) {
            return {};
        }
        // The choice begins where the offer said there is no dictionary.
        const QString picked =
            ask.folder(offer, QFileInfo(looked).isDir() ? looked : QDir::homePath());
        if (!picked.isEmpty()) {
            const QString taken = take(offer, QDir(picked).absolutePath(), parent);
            if (!taken.isEmpty()) {
                return taken;
            }
        }
    }
}

Questions dialogs(QWidget* parent)
{
    Questions ask;
    ask.offer = [parent](const QString& text) {
        QMessageBox box(QMessageBox::Question, MessageBox::Title, text, QMessageBox::NoButton,
                        parent);
        QPushButton* open =
            box.addButton(QStringLiteral("Wörterbuch öffnen …"), QMessageBox::AcceptRole);
        QPushButton* create =
            box.addButton(QStringLiteral("Neues Wörterbuch anlegen …"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("Beenden"), QMessageBox::RejectRole);
        box.setDefaultButton(open);
        box.exec();
        return box.clickedButton() == open     ? Offer::Open
               : box.clickedButton() == create ? Offer::Create
                                               : Offer::Quit;
    };
    ask.folder = [parent](Offer offer, const QString& start) {
        return QFileDialog::getExistingDirectory(
            parent,
            offer == Offer::Open ? QStringLiteral("Ordner des Wörterbuchs wählen")
                                 : QStringLiteral("Ordner für das neue Wörterbuch wählen"),
            start);
    };
    return ask;
}

QString remembered()
{
    return QSettings().value(FolderKey).toString();
}

void remember(const QString& folder)
{
    QSettings().setValue(FolderKey, folder);
}

} // namespace DictionaryFolder
