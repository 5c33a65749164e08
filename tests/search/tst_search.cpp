#include "Harness.h"
#include "app/ResulCh.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// The search window on a real main window: its searches, leaving and
// reopening it, and saving its result list.
namespace {

using Fixtures::columns;
using Fixtures::row;

// The fixture's words in record order, as word/theme/mark, and a record without a word.
const QString Words = QStringLiteral("Abend/Zeit/O abends/Zeit Haben Grab Ameise/Tiere/O "
                                     "Haustier/Haustiere Katze/tiere Öl Übung l'eau a*e Brot//N "
                                     "Straße €uro Łódź");
const QString All = QString(Words).remove(QRegularExpression(QStringLiteral("/\\S*")));
const QStringList Themes = QStringLiteral("Zeit Tiere Haus Obst Kinder'spiel [a").split(u' ');
const QByteArray Older("an older and much longer list\r\n");

QList<WordRow> rows()
{
    QList<WordRow> rows;
    for (const QString& entry : Words.split(u' ')) {
        const QStringList f = entry.split(u'/');
        const auto field = [&](int i) { return f.value(i).isEmpty() ? QVariant() : f[i]; };
        rows.append({f[0], {}, {}, field(1), field(2)});
    }
    return rows << WordRow{QVariant()};
}

// The byte ranges this process holds locked in the file at `path`, from the
// lines "n: POSIX ADVISORY READ pid dev:inode start end" of /proc/locks.
int locksHeld(const QString& path)
{
    struct stat file = {};
    QFile locks("/proc/locks");
    if (stat(QFile::encodeName(path).constData(), &file) != 0 || !locks.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray inode = ':' + QByteArray::number(quint64(file.st_ino));
    int held = 0;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        held += f.size() > 5 && f[4].toLong() == getpid() && f[5].endsWith(inode);
    }
    return held;
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Harness> m_harness;
    QStringList m_openedIn; // the save dialog's folder at each opening

    static QStringList words(const QString& s) { return s.split(u' ', Qt::SkipEmptyParts); }
    static QStringList sorted(QStringList list) { return list.sort(), list; }
    // " word " for each word, as the dictionary's searches list them; sorted.
    static QStringList padded(const QString& s)
    {
        return sorted(words(s).replaceInStrings(QRegularExpression("^|$"), " "));
    }
    bool restart(const QList<WordRow>& rows, const QStringList& themes)
    {
        m_harness.reset();
        m_harness = std::make_unique<Harness>();
        return m_harness->start(rows, themes);
    }
    ResulChUi& ui() { return m_harness->form().openedSearchWindow().ui(); }
    Search& search() { return m_harness->form().openedSearchWindow().search(); }
    QString current() { return m_harness->ui().mot_cour->caption(); }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void find(const QString& name, const QString& text)
    {
        (name == QLatin1String("longueur") ? ui().lg : ui().ecrire)->setText(text);
        click(ui().SSPanel1->findChild<QAbstractButton*>(name));
    }
    // The sorted entries of the result list, checking the count shown with them.
    QStringList results()
    {
        const QStringList entries = Harness::entries(ui().resul_cherch);
        [&] { QCOMPARE(ui().nb_tr->caption(), QString::number(entries.size())); }();
        return sorted(entries);
    }
    void listAll()
    {
        find(QStringLiteral("contient"), QStringLiteral(" "));
        QCOMPARE(results(), padded(All));
    }
    // Saves the list as if `path` was chosen in the dialog (cancelled if empty).
    void saveAs(const QString& path)
    {
        search().runSaveDialog = [this, path](QFileDialog& dialog) {
            m_openedIn.append(dialog.directory().path());
            return path;
        };
        search().Command2_Click();
    }
    // Opens the window from the main window, runs `inside`, leaves by Zurück or the frame.
    void open(const std::function<void(ResulCh&)>& inside, bool throughFrame)
    {
        Form1& form = m_harness->form();
        bool ran = false;
        QTimer::singleShot(0, &form, [&] {
            ResulCh* window = form.searchWindow();
            ran = window != nullptr && window->isVisible() && window->isModal() && form.isHidden();
            if (window != nullptr) {
                inside(*window);
                throughFrame ? void(window->close()) : click(window->ui().Command1);
                window->hide(); // never leaves the test hanging in the modal loop
            }
        });
        form.show();
        click(form.ui().Command2);
        QVERIFY(ran);
        QVERIFY(form.isVisible());
    }

private slots:
    void init() { QVERIFY(restart(rows(), Themes)); }
    void cleanup() { m_harness.reset(); }

    void textSearch_data()
    {
        columns<QString, QString, bool, QString>("button", "text", "fromList", "found");
        // From the dictionary: letter case does not count, wildcards work.
        row("begins, blanks around", "commence", "  ab  ", false, "Abend abends");
        row("begins, star", "commence", "a*e", false, "Abend abends Ameise a*e");
        row("begins, doubled quote", "commence", "l''", false, "l'eau");
        row("begins, lone quote", "commence", "l'eau", false, "");
        row("contains", "contient", "ab", false, "Abend abends Haben Grab");
        row("ends", "termine", "AB", false, "Grab");
        // Narrowing every word: exact comparisons, wildcards are plain characters.
        row("narrow begins, exact case", "commence", "A", true, "Abend Ameise");
        row("narrow begins, blanks around", "commence", " Hau ", true, "Haustier");
        row("narrow contains, bracket", "contient", "[a", true, "");
        row("narrow contains, quote", "contient", "'", true, "l'eau");
        row("narrow ends", "termine", "en", true, "Haben");
        row("narrow ends, exact case", "termine", "AB", true, "");
        row("narrow contains, blanks only", "contient", " ", true, All);
    }
    void textSearch()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(bool, fromList);
        QFETCH(QString, found);
        if (fromList) {
            listAll();
            click(ui().extrac_liste);
        }
        const QString before = current();
        // The dictionary's entries carry blanks; a narrowing step trims them.
        const QStringList expected = fromList ? sorted(words(found)) : padded(found);
        find(button, text);
        QCOMPARE(results(), expected);
        // Again, on the narrowed list, or with the dictionary chosen explicitly.
        click(ui().Option2);
        ui().extrac_liste->setChecked(fromList);
        find(button, text);
        QCOMPARE(results(), expected);
        QVERIFY(ui().liste_temp->isHidden());
        // The record set stays put when narrowing, else goes to the last word found or the first.
        const QString last = found.isEmpty() ? QStringLiteral("Abend") : words(found).last();
        QCOMPARE(current(), fromList ? before : last);
    }

    void emptyDictionary()
    {
        QVERIFY(restart({}, {}));
        ui().ecrire->setText(QStringLiteral("a"));
        ui().lg->setText(QStringLiteral("5"));
        ui().theme->setCaption(QStringLiteral("Tiere"));
        for (QAbstractButton* option : {ui().Option2, ui().extrac_liste}) {
            option->setChecked(true);
            for (QAbstractButton* button : {ui().commence, ui().contient, ui().termine,
                                            ui().longueur, ui().theme_cherch, ui().Command3}) {
                ui().nb_tr->setCaption(QStringLiteral("7"));
                click(button);
                QCOMPARE(results(), QStringList());
            }
        }
    }

    void lengthSearch_data()
    {
        // "-": rejected; '>': typed key by key, where only digits get in and a backspace empties.
        columns<QString, bool, QString>("length", "fromList", "found");
        row("five", "5", false, "Abend Haben Katze Übung l'eau");
        row("digits then text", "3x", false, "a*e");
        row("twenty", "20", false, "");
        row("zero", "0", false, "-");
        row("twenty-one", "21", false, "-");
        row("huge", "99999999999999999999999", false, "-");
        row("pasted letters", "abc", false, "-");
        row("narrow six", "6", true, "abends Ameise Straße");
        row("typed with other keys", ">a -.5", false, "Abend Haben Katze Übung l'eau");
        row("typed after a backspace", ">12\b6", true, "abends Ameise Straße");
    }
    void lengthSearch()
    {
        QFETCH(QString, length);
        QFETCH(bool, fromList);
        QFETCH(QString, found);
        const bool accepted = found != QLatin1String("-");
        listAll();
        const QStringList before = results();
        ui().extrac_liste->setChecked(fromList);
        length.startsWith(u'>') ? QTest::keyClicks(ui().lg, length.mid(1))
                                : ui().lg->setText(length);
        click(ui().longueur);
        // A rejected length empties the box and keeps the list.
        QCOMPARE(results(), accepted ? sorted(words(found)) : before);
        QCOMPARE(ui().lg->text(), accepted ? length.remove(QRegularExpression("^>.*\\D")) : "");
        if (accepted && !fromList) {
            QCOMPARE(current(), QStringLiteral("Abend"));
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        }
    }

    void themeSearch_data()
    {
        columns<QString, QString, QString>("button", "theme", "found");
        row("no theme picked", "theme_cherch", "", All);
        row("in longer names", "theme_cherch", "Tiere", "Ameise Haustier Katze");
        row("marked", "Command3", "", "Abend Ameise");
        row("picked from the list", "", "Tiere", "Ameise Haustier Katze");
    }
    void themeSearch()
    {
        QFETCH(QString, button);
        QFETCH(QString, theme);
        QFETCH(QString, found);
        listAll();
        // Neither the option buttons nor the texts matter.
        click(ui().extrac_liste);
        ui().lg->setText(QStringLiteral("3"));
        if (button.isEmpty()) {
            for (int fill = 0; fill < 2; ++fill) { // filling again does not double it
                ui().List2->hide();
                fill == 0 ? QTest::mouseClick(ui().theme, Qt::LeftButton)
                          : QTest::keyClick(ui().theme, Qt::Key_Return); // Tab reaches it
                QVERIFY(!ui().List2->isHidden());
                QCOMPARE(Harness::entries(ui().List2), Themes);
            }
            ui().List2->setListIndex(Themes.indexOf(theme)); // as the user picks it, searching
            QVERIFY(ui().List2->isHidden());
        } else {
            ui().theme->setCaption(theme);
            find(button, QStringLiteral("zzz"));
        }
        QCOMPARE(ui().theme->caption(), theme);
        QCOMPARE(results(), padded(found));
    }

    // Zurück keeps the window as it was left; the frame discards it.
    void leaving_data()
    {
        columns<int, QString>("how", "reopened"); // 0 Zurück, 1 Escape, 2 the frame
        const QString kept = " Abend | Haben | abends |be|5|Tiere|1|changed while open";
        row("Zurück", 0, kept);
        row("Escape, as Zurück", 1, kept);
        row("frame", 2, "|||0|LEXA version 4.00.0001");
    }
    void leaving()
    {
        QFETCH(int, how);
        const bool throughFrame = how == 2;
        open(
            [how](ResulCh& w) {
                QCOMPARE(w.focusWidget(), w.ui().ecrire);
                QTest::keyClicks(w.ui().ecrire, QStringLiteral("be"));
                click(w.ui().contient);
                click(w.ui().extrac_liste);
                QTest::keyClicks(w.ui().lg, QStringLiteral("5"));
                w.ui().theme->setCaption(QStringLiteral("Tiere"));
                w.setWindowTitle(QStringLiteral("changed while open"));
                if (how == 1) {
                    QTest::keyClick(&w, Qt::Key_Escape);
                    QVERIFY(w.isHidden());
                }
            },
            throughFrame);
        // The main window comes back as it was, on the record the search left.
        QCOMPARE(m_harness->ui().Text1->text(), QStringLiteral("Haben"));
        QCOMPARE(m_harness->form().searchWindow() == nullptr, throughFrame);
        open(
            [this](ResulCh& w) {
                QTEST((results() << ui().ecrire->text() << ui().lg->text() << ui().theme->caption()
                                 << QString::number(ui().extrac_liste->isChecked())
                                 << w.windowTitle())
                          .join(u'|'),
                      "reopened");
            },
            false);
    }

    // The list is saved as shown: blanks kept, CRLF, Windows-1252, "?" outside it.
    // "(failed)": the failure message comes; "(full)": so it does when the disk fills after
    // 4 bytes, and the old list stays. An overwrite question comes unless Ok.
    // The save dialog opens in the dictionary's folder and must not read the
    // files there: closing LEXA.MDB-shm again would drop LEXA's locks on it.
    void saveDialogKeepsLocks()
    {
        const QString shm = m_harness->path("LEXA.MDB-shm");
        const int held = locksHeld(shm);
        QVERIFY(held > 0);
        bool listed = false;
        search().runSaveDialog = [&](QFileDialog& dialog) {
            dialog.show();
            const auto* model = dialog.findChild<QFileSystemModel*>();
            listed = QTest::qWaitFor([&] { return !model->type(model->index(shm)).isEmpty(); });
            return QString();
        };
        listAll();
        search().Command2_Click();
        QVERIFY(listed);
        QCOMPARE(locksHeld(shm), held);
    }

    void saving_data()
    {
        columns<QString, QString, QMessageBox::StandardButton, QByteArray>("list", "name", "answer",
                                                                           "expected");
        const QByteArray saved(" Grab \r\n"), failed("(failed)");
        row("list order", "contient be", "l.txt", QMessageBox::Ok,
            QByteArray(" Abend \r\n abends \r\n Haben \r\n"));
        row("euro sign", "commence €", "l.txt", QMessageBox::Ok, QByteArray(" \x80uro \r\n"));
        row("outside the code page", "commence ł", "l.txt", QMessageBox::Ok,
            QByteArray(" ?\363d? \r\n"));
        row("length search, bare", "longueur 3", "l.txt", QMessageBox::Ok, QByteArray("a*e\r\n"));
        row("narrowed, trimmed", "narrow Ö", "l.txt", QMessageBox::Ok, QByteArray("\xD6l\r\n"));
        row("no extension added", "termine ab", "liste", QMessageBox::Ok, saved);
        row("replace", "termine ab", "alt.txt", QMessageBox::Yes, saved);
        row("keep", "termine ab", "alt.txt", QMessageBox::No, Older);
        row("cancel", "termine ab", "", QMessageBox::Ok, QByteArray());
        row("missing folder", "termine ab", "fehlt/liste.txt", QMessageBox::Ok, failed);
        row("failing close", "termine ab", "/dev/full", QMessageBox::Ok, failed);
        row("disk full keeps the old list", "termine ab", "alt.txt", QMessageBox::Yes,
            QByteArray("(full)"));
        row("other folder", "termine ab", "icons/liste.txt", QMessageBox::Ok, saved);
    }
    void saving()
    {
        QFETCH(QString, list);
        QFETCH(QString, name);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QByteArray, expected);
        QString button = list.section(u' ', 0, 0);
        if (button == QLatin1String("narrow")) {
            listAll();
            ui().extrac_liste->setChecked(true);
            button = QStringLiteral("commence");
        }
        find(button, list.section(u' ', 1));
        const QString path = name.isEmpty() || name.startsWith(u'/') ? name : m_harness->path(name);
        QFile file(path);
        QVERIFY(answer == QMessageBox::Ok ||
                (file.open(QIODevice::WriteOnly) && file.write(Older)));
        file.close();
        // The icon chooser has moved the current directory.
        QVERIFY(QDir(m_harness->dir()).mkpath("icons"));
        QDir::setCurrent(m_harness->path("icons"));
        MessageBox::setNextAnswer(answer);
        const bool failing = expected == "(failed)" || expected == "(full)";
        if (failing && answer != QMessageBox::Ok) {
            MessageBox::setNextAnswer(QMessageBox::Ok);
        }
        m_openedIn.clear();
        rlimit room{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &room), 0);
        if (expected == "(full)") {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit full{4, room.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        }
        saveAs(path);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &room), 0);
        // The next opening starts where the list was saved, else in the dictionary's folder.
        saveAs(QString());
        const bool saved = !name.isEmpty() && answer != QMessageBox::No && !failing;
        QCOMPARE(m_openedIn, (QStringList{m_harness->dir(),
                                          saved ? QFileInfo(path).path() : m_harness->dir()}));
        QStringList messages;
        if (answer != QMessageBox::Ok) {
            messages << QStringLiteral("Voulez-vous écraser le fichier ");
        }
        if (failing) {
            messages << QStringLiteral(
                "Erreur lors d'une tentative de fermeture de fichier, réessayez.");
            QVERIFY(answer == QMessageBox::Ok || Fixtures::fileBytes(path) == Older);
        } else {
            QCOMPARE(Fixtures::fileBytes(path), expected);
        }
        QCOMPARE(MessageBox::takeAnswered(), messages);
        QCOMPARE(
            QDir(QFileInfo(path).path()).entryList({QStringLiteral("*.txt")}).size(),
            int(path.endsWith(QLatin1String(".txt")) && (!failing || answer != QMessageBox::Ok)));
    }
};

QTEST_MAIN(SearchTest)
#include "tst_search.moc"
