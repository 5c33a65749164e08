#include "widgets/PrintDialog.h"

#include "widgets/FileDialogs.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QString settingsGroup = QStringLiteral("Drucken");

QPushButton* button(QDialogButtonBox* box, const char* name, const QString& text,
                    QDialogButtonBox::ButtonRole role)
{
    QPushButton* pushButton = box->addButton(text, role);
    pushButton->setObjectName(QString::fromLatin1(name));
    return pushButton;
}

// The pointer as an hourglass while the pages are drawn.
class Busy
{
public:
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

QString suggestedName(PrintLayout layout)
{
    switch (layout) {
    case PrintLayout::Cards:
        return QStringLiteral("Wortkarten.pdf");
    case PrintLayout::Pages:
        return QStringLiteral("Bildseiten.pdf");
    case PrintLayout::List:
        return QStringLiteral("Wortliste.pdf");
    }
    return {};
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent, const QString& folder, const WordChoice& choice,
                         bool offerMarked)
    : QDialog(parent), m_folder(folder), m_choice(choice), m_pdfFolder(folder)
{
    setObjectName(QStringLiteral("printDialog"));
    setWindowTitle(QStringLiteral("Drucken"));
    buildControls(offerMarked);
    restoreChoices();
}

void PrintDialog::buildControls(bool offerMarked)
{
    layout = new QComboBox(this);
    layout->setObjectName(QStringLiteral("layout"));
    layout->addItem(QStringLiteral("Wortkarten (8 je Seite)"), layoutName(PrintLayout::Cards));
    layout->addItem(QStringLiteral("Bildseiten nach Themen"), layoutName(PrintLayout::Pages));
    layout->addItem(QStringLiteral("Wortliste"), layoutName(PrintLayout::List));
    paper = new QComboBox(this);
    paper->setObjectName(QStringLiteral("paper"));
    paper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    paper->addItem(QStringLiteral("US Letter"), int(QPageSize::Letter));
    colours = new QCheckBox(QStringLiteral("Artikel in Farbe (der blau, die rot, das grün)"), this);
    colours->setObjectName(QStringLiteral("colours"));
    twoSided =
        new QCheckBox(QStringLiteral("Wortkarten beidseitig: Rückseiten mit dem Wort"), this);
    twoSided->setObjectName(QStringLiteral("twoSided"));
    connect(layout, &QComboBox::currentIndexChanged, this,
            [this] { twoSided->setEnabled(options().layout == PrintLayout::Cards); });

    auto* what = new QLabel(
        m_choice.listed.isEmpty() ? QStringLiteral("Die Wörter des Wörterbuchs in „%1“")
                                        .arg(QDir::toNativeSeparators(m_folder))
        : m_choice.listed.size() == 1
            ? QStringLiteral("Die gefundene Liste: 1 Wort")
            : QStringLiteral("Die gefundene Liste: %1 Wörter").arg(m_choice.listed.size()),
        this);
    what->setObjectName(QStringLiteral("words"));
    auto* form = new QFormLayout;
    form->addRow(what);
    form->addRow(QStringLiteral("&Art:"), layout);
    form->addRow(QStringLiteral("&Papier:"), paper);
    form->addRow(colours);
    form->addRow(twoSided);
    if (offerMarked) {
        markedOnly = new QCheckBox(QStringLiteral("Nur die markierten Wörter"), this);
        markedOnly->setObjectName(QStringLiteral("markedOnly"));
        form->addRow(markedOnly);
    }

    auto* buttons = new QDialogButtonBox(this);
    previewButton =
        button(buttons, "preview", QStringLiteral("&Vorschau …"), QDialogButtonBox::ActionRole);
    printButton =
        button(buttons, "print", QStringLiteral("&Drucken …"), QDialogButtonBox::ActionRole);
    pdfButton = button(buttons, "savePdf", QStringLiteral("Als &PDF speichern …"),
                       QDialogButtonBox::ActionRole);
    closeButton =
        button(buttons, "close", QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    connect(previewButton, &QPushButton::clicked, this, &PrintDialog::preview);
    connect(printButton, &QPushButton::clicked, this, &PrintDialog::print);
    connect(pdfButton, &QPushButton::clicked, this, &PrintDialog::savePdf);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

PrintOptions PrintDialog::options() const
{
    PrintOptions chosen;
    chosen.layout = layoutNamed(layout->currentData().toString()).value_or(PrintLayout::Cards);
    chosen.paper = static_cast<QPageSize::PageSizeId>(paper->currentData().toInt());
    chosen.colours = colours->isChecked();
    chosen.twoSided = twoSided->isChecked() && chosen.layout == PrintLayout::Cards;
    chosen.theme = m_choice.theme;
    return chosen;
}

void PrintDialog::restoreChoices()
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    layout->setCurrentIndex(
        std::max(0, layout->findData(settings.value(QStringLiteral("layout")).toString())));
    paper->setCurrentIndex(std::max(
        0, paper->findData(settings.value(QStringLiteral("paper"), int(QPageSize::A4)).toInt())));
    colours->setChecked(settings.value(QStringLiteral("colours"), true).toBool());
    twoSided->setChecked(settings.value(QStringLiteral("twoSided"), false).toBool());
    twoSided->setEnabled(options().layout == PrintLayout::Cards);
    if (markedOnly != nullptr) {
        markedOnly->setChecked(settings.value(QStringLiteral("markedOnly"), false).toBool());
    }
}

void PrintDialog::rememberChoices() const
{
    QSettings settings;
    settings.beginGroup(settingsGroup);
    settings.setValue(QStringLiteral("layout"), layout->currentData());
    settings.setValue(QStringLiteral("paper"), paper->currentData());
    settings.setValue(QStringLiteral("colours"), colours->isChecked());
    settings.setValue(QStringLiteral("twoSided"), twoSided->isChecked());
    if (markedOnly != nullptr) {
        settings.setValue(QStringLiteral("markedOnly"), markedOnly->isChecked());
    }
}

void PrintDialog::fail(const QString& message)
{
    MessageBox::show(this, message, QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Warning);
}

std::unique_ptr<PrintWords> PrintDialog::openWords(std::vector<Word>* words)
{
    ResultOf<std::unique_ptr<PrintWords>> source = PrintWords::open(m_folder);
    if (!source) {
        fail(source.error);
        return nullptr;
    }
    WordChoice choice = m_choice;
    choice.markedOnly = choice.markedOnly || (markedOnly != nullptr && markedOnly->isChecked());
    *words = source.value->choose(choice);
    if (words->empty()) {
        fail(choice.markedOnly
                 ? QStringLiteral("Kein Wort ist markiert: es gibt nichts zu drucken.")
                 : QStringLiteral("Die Liste ist leer: es gibt nichts zu drucken."));
        return nullptr;
    }
    return std::move(source.value);
}

void PrintDialog::setUpPrinter(QPrinter& printer) const
{
    const PrintOptions chosen = options();
    setUpPages(printer, chosen);
    printer.setFullPage(true);
    printer.setColorMode(chosen.colours ? QPrinter::Color : QPrinter::GrayScale);
    // Turned over along the long edge, the backs land on their fronts.
    printer.setDuplex(chosen.twoSided ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
    printer.setDocName(QStringLiteral("LEXA"));
}

void PrintDialog::paintOn(QPrinter& printer, PrintWords& source, const std::vector<Word>& words)
{
    const Result painted = [&] {
        const Busy busy;
        return paintWords(printer, source, words, options());
    }();
    if (!painted) {
        fail(painted.error);
    }
}

// The words are read before a dialog opens: without any there is no dialog.
void PrintDialog::preview()
{
    rememberChoices();
    std::vector<Word> words;
    const std::unique_ptr<PrintWords> source = openWords(&words);
    if (!source) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("printPreview"));
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    // Drawn again whenever the preview's page setup changes.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* shown) { paintOn(*shown, *source, words); });
    dialog.exec();
}

void PrintDialog::print()
{
    rememberChoices();
    std::vector<Word> words;
    const std::unique_ptr<PrintWords> source = openWords(&words);
    if (!source) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() == QDialog::Accepted) {
        paintOn(printer, *source, words);
    }
}

void PrintDialog::savePdf()
{
    rememberChoices();
    QFileDialog dialog(this, QStringLiteral("Als PDF speichern"));
    dialog.setObjectName(QStringLiteral("pdfDialog"));
    showByNameOnly(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(m_pdfFolder);
    dialog.selectFile(suggestedName(options().layout));
    const QString path = runFileDialog(dialog);
    if (path.isEmpty()) {
        return;
    }
    std::vector<Word> words;
    std::unique_ptr<PrintWords> source = openWords(&words);
    if (!source) {
        return;
    }
    const Result written = [&] {
        const Busy busy;
        return writePdf(path, *source, words, options());
    }();
    if (!written) {
        fail(written.error);
        return;
    }
    m_pdfFolder = QFileInfo(path).absolutePath();
}
