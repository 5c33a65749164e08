#include "editor/SimilarWords.h"

#include "data/Database.h"
#include "data/NearWords.h"
#include "data/NotDuplicates.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RecordRole = Qt::UserRole;

QString groupCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 Gruppe") : QStringLiteral("%1 Gruppen").arg(count);
}

QString runDialog(QFileDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QPushButton* addButton(QLayout* row, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

SimilarWords::SimilarWords(QWidget* parent)
    : QDialog(parent), runSaveDialog(runDialog), m_summary(new QLabel), m_list(new QTreeWidget)
{
    setObjectName(QStringLiteral("SimilarWords"));
    setWindowTitle(QStringLiteral("Ähnliche Wörter"));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_list->setObjectName(QStringLiteral("groups"));
    m_list->setHeaderLabels(
        {QStringLiteral("Wort"), QStringLiteral("Artikel"), QStringLiteral("Thema")});
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // One line per row: laying out a long list then costs no text measuring.
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* item) { chooseItem(item); });

    auto* buttons = new QHBoxLayout;
    connect(addButton(buttons, QStringLiteral("keinDuplikat"), QStringLiteral("Kein Duplikat")),
            &QPushButton::clicked, this, &SimilarWords::KeinDuplikat_Click);
    connect(addButton(buttons, QStringLiteral("neuSuchen"), QStringLiteral("Neu suchen")),
            &QPushButton::clicked, this, [this] { load(m_path); });
    connect(addButton(buttons, QStringLiteral("speichern"), QStringLiteral("Speichern …")),
            &QPushButton::clicked, this, &SimilarWords::Speichern_Click);
    buttons->addStretch();
    connect(addButton(buttons, QStringLiteral("schliessen"), QStringLiteral("Schließen")),
            &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(560, 420);
}

bool SimilarWords::load(const QString& path)
{
    m_path = path;
    Database db;
    QList<Record> records;
    Result read = db.open(path, Database::Access::ReadOnly);
    if (read) {
        auto rows =
            db.prepare(QStringLiteral("SELECT mot, determinant, theme FROM lexa ORDER BY rowid"));
        while (rows && rows->next()) {
            if (!rows->text(0).isEmpty()) {
                records.append({rows->text(0), rows->text(1), rows->text(2)});
            }
        }
        read = rows ? rows->status() : Result(rows);
    }
    ResultOf<QSet<QString>> dismissed;
    if (read) {
        dismissed = NotDuplicates::load(db);
        read = dismissed;
    }
    if (!read) {
        MessageBox::show(this, read.error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
        return false;
    }
    QStringList words;
    for (const Record& record : std::as_const(records)) {
        words.append(record.word);
    }
    m_records = std::move(records);
    m_groups = nearGroups(words, dismissed.value);
    fill();
    return true;
}

QString SimilarWords::groupHeading(const QList<qsizetype>& group) const
{
    QStringList words;
    bool repeated = false;
    for (const qsizetype at : group) {
        const QString quoted = QStringLiteral("„%1“").arg(m_records[at].word);
        repeated = repeated || words.contains(quoted);
        if (!words.contains(quoted)) {
            words.append(quoted);
        }
    }
    return (repeated ? QStringLiteral("Doppelt: ") : QStringLiteral("Ähnlich: ")) +
           words.join(QStringLiteral(", "));
}

void SimilarWords::fill()
{
    m_list->clear();
    for (const auto& group : std::as_const(m_groups)) {
        auto* heading = new QTreeWidgetItem(m_list, {groupHeading(group)});
        for (const qsizetype at : group) {
            const Record& record = m_records[at];
            auto* item = new QTreeWidgetItem(heading, {record.word, record.article, record.theme});
            item->setData(0, RecordRole, at);
        }
    }
    m_list->expandAll();
    m_summary->setText(m_groups.isEmpty()
                           ? QStringLiteral("Keine ähnlichen Wörter im Wörterbuch.")
                           : groupCount(m_groups.size()) +
                                 QStringLiteral(" ähnlicher Wörter im Wörterbuch. Ein Doppelklick "
                                                "zeigt das Wort im Hauptfenster."));
}

void SimilarWords::chooseItem(const QTreeWidgetItem* item)
{
    if (item->parent() != nullptr) {
        emit wordChosen(m_records[item->data(0, RecordRole).toLongLong()].word);
    }
}

QList<std::pair<QString, QString>> SimilarWords::chosenPairs() const
{
    const QList<QTreeWidgetItem*> chosen = m_list->selectedItems();
    QList<qsizetype> records;
    const QTreeWidgetItem* group = nullptr;
    for (const QTreeWidgetItem* item : chosen) {
        const QTreeWidgetItem* itemGroup = item->parent() ? item->parent() : item;
        if (group != nullptr && itemGroup != group) {
            return {};
        }
        group = itemGroup;
        if (item->parent() != nullptr) {
            records.append(item->data(0, RecordRole).toLongLong());
        }
    }
    if (group == nullptr) {
        return {};
    }
    QList<qsizetype> members;
    for (int i = 0; i < group->childCount(); ++i) {
        members.append(group->child(i)->data(0, RecordRole).toLongLong());
    }
    QList<std::pair<QString, QString>> pairs;
    if (records.size() == 1) {
        // One word: it is no duplicate of any other of its group.
        for (const qsizetype other : std::as_const(members)) {
            if (other != records.front()) {
                pairs.append({m_records[records.front()].word, m_records[other].word});
            }
        }
        return pairs;
    }
    // A heading stands for every word of its group.
    if (records.isEmpty()) {
        records = members;
    }
    for (qsizetype i = 0; i < records.size(); ++i) {
        for (qsizetype j = i + 1; j < records.size(); ++j) {
            pairs.append({m_records[records[i]].word, m_records[records[j]].word});
        }
    }
    return pairs;
}

void SimilarWords::KeinDuplikat_Click()
{
    const auto pairs = chosenPairs();
    if (pairs.isEmpty()) {
        MessageBox::show(this, QStringLiteral("Bitte wählen Sie Wörter aus einer Gruppe: "
                                              "diese werden nicht mehr als Duplikate gezeigt."));
        return;
    }
    Database db;
    if (Result opened = db.open(m_path, Database::Access::ReadWrite); !opened) {
        MessageBox::show(this, opened.error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
        return;
    }
    Result kept = db.begin();
    for (const auto& [a, b] : pairs) {
        if (kept) {
            kept = NotDuplicates::add(db, a, b);
        }
    }
    if (kept) {
        kept = db.commit();
    }
    if (!kept) {
        db.rollback();
        MessageBox::show(this, kept.error, QMessageBox::Ok, QMessageBox::NoButton,
                         QMessageBox::Warning);
        return;
    }
    load(m_path);
}

bool SimilarWords::writeList(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QString text = QStringLiteral("Ähnliche Wörter im Wörterbuch %1: %2\r\n")
                       .arg(QDir::toNativeSeparators(m_path), groupCount(m_groups.size()));
    for (const auto& group : m_groups) {
        text += QStringLiteral("\r\n") + groupHeading(group) + QStringLiteral("\r\n");
        for (const qsizetype at : group) {
            const Record& record = m_records[at];
            text += record.word + u'\t' + record.article + u'\t' + record.theme +
                    QStringLiteral("\r\n");
        }
    }
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

void SimilarWords::Speichern_Click()
{
    QFileDialog dialog(this, QStringLiteral("Ähnliche Wörter speichern"));
    showByNameOnly(dialog);
    dialog.setDirectory(m_saveFolder.isEmpty() ? QFileInfo(m_path).absolutePath() : m_saveFolder);
    dialog.setNameFilter(QStringLiteral("Textdateien (*.txt)"));
    dialog.setObjectName(QStringLiteral("speichernDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Speichern"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    const QString path = runSaveDialog(dialog);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).isFile() &&
        MessageBox::show(this,
                         QStringLiteral("Die Datei „%1“ gibt es schon. Ersetzen?")
                             .arg(QFileInfo(path).fileName()),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    if (!writeList(path)) {
        MessageBox::show(this,
                         QStringLiteral("Die Liste konnte nicht in „%1“ gespeichert werden. "
                                        "Bitte wählen Sie einen anderen Ordner oder Namen.")
                             .arg(QDir::toNativeSeparators(path)),
                         QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Warning);
        return;
    }
    m_saveFolder = QFileInfo(path).absolutePath();
}
