#include "app/PdfCommand.h"

#include <QCommandLineParser>
#include <QDir>

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

Result PdfCommand::read(const QCommandLineParser& parser, const QString& folder)
{
    m_file = parser.value(m_pdf);
    if (!wanted()) {
        if (parser.isSet(m_layout) || parser.isSet(m_theme) || parser.isSet(m_marked)) {
            return Result::failure(
                QStringLiteral("--layout, --theme und --marked gelten nur zusammen mit --pdf."));
        }
        return Result::success();
    }
    if (parser.isSet(m_layout)) {
        const std::optional<PrintLayout> layout = layoutNamed(parser.value(m_layout));
        if (!layout) {
            return Result::failure(
                QStringLiteral("Die Art „%1“ gibt es nicht: cards, pages oder list.")
                    .arg(parser.value(m_layout)));
        }
        m_options.layout = *layout;
    }
    m_choice.theme = parser.value(m_theme);
    m_choice.markedOnly = parser.isSet(m_marked);
    m_options.theme = m_choice.theme;
    takeFolder(folder);
    return Result::success();
}

ResultOf<QString> PdfCommand::work() const
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
    if (Result written = writePdf(m_file, *source.value, words, m_options); !written) {
        return written;
    }
    return QString();
}
