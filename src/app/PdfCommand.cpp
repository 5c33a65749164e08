#include "app/PdfCommand.h"

#include "widgets/German.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

PdfCommand::PdfCommand()
    : m_pdf(QStringLiteral("pdf"),
            QStringLiteral("Schreibt die Wörter als PDF in DATEI, ohne Fenster, und endet."),
            QStringLiteral("DATEI")),
      m_layout(QStringLiteral("layout"),
               QStringLiteral("Mit --pdf: cards (Wortkarten, 8 je Seite), pages (Bildseiten nach "
                              "Themen) oder list (Wortliste); ohne Angabe cards."),
               QStringLiteral("ART")),
      m_theme(QStringLiteral("theme"),
              QStringLiteral("Mit --pdf: nur die Wörter mit dem Thema NAME."),
              QStringLiteral("NAME")),
      m_marked(QStringLiteral("marked"), QStringLiteral("Mit --pdf: nur die markierten Wörter."))
{
}

void PdfCommand::addOptions(QCommandLineParser& parser) const
{
    parser.addOptions({m_pdf, m_layout, m_theme, m_marked});
}

bool PdfCommand::read(const QCommandLineParser& parser, const QString& folder, QString* error)
{
    m_file = parser.value(m_pdf);
    if (!wanted()) {
        if (parser.isSet(m_layout) || parser.isSet(m_theme) || parser.isSet(m_marked)) {
            *error =
                QStringLiteral("--layout, --theme und --marked gelten nur zusammen mit --pdf.");
            return false;
        }
        return true;
    }
    if (parser.isSet(m_layout)) {
        const std::optional<PrintLayout> layout = layoutNamed(parser.value(m_layout));
        if (!layout) {
            *error = QStringLiteral("Die Art „%1“ gibt es nicht: cards, pages oder list.")
                         .arg(parser.value(m_layout));
            return false;
        }
        m_options.layout = *layout;
    }
    m_choice.theme = parser.value(m_theme);
    m_choice.markedOnly = parser.isSet(m_marked);
    m_options.theme = m_choice.theme;
    m_folder = folder.isEmpty() ? QDir::currentPath() : folder;
    // The folder of a dictionary file given by name.
    if (QFileInfo(m_folder).isFile()) {
        m_folder = QFileInfo(m_folder).absolutePath();
    }
    return true;
}

Result PdfCommand::write() const
{
    ResultOf<std::unique_ptr<PrintWords>> source = PrintWords::open(m_folder);
    if (!source) {
        return source;
    }
    const std::vector<Word> words = source.value->choose(m_choice);
    if (words.empty()) {
        QString what = m_choice.markedOnly ? QStringLiteral("kein markiertes Wort")
                                           : QStringLiteral("kein Wort");
        if (!m_choice.theme.isEmpty()) {
            what += QStringLiteral(" mit dem Thema „%1“").arg(m_choice.theme);
        }
        return Result::failure(
            QStringLiteral("Im Wörterbuch „%1“ gibt es %2: es wurde keine PDF-Datei geschrieben.")
                .arg(QDir::toNativeSeparators(source.value->folder()), what));
    }
    return writePdf(m_file, *source.value, words, m_options);
}

int PdfCommand::run(int argc, char* argv[]) const
{
    // No window is shown: the pages are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    installGermanTexts(app);
    if (const Result written = write(); !written) {
        QTextStream(stderr) << "lexa: " << written.error << '\n';
        return 1;
    }
    return 0;
}
