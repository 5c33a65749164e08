#pragma once

#include "data/Result.h"
#include "data/Word.h"

#include <QColor>
#include <QImage>
#include <QPageSize>
#include <QString>
#include <optional>
#include <vector>

class PrintWords;
class QPagedPaintDevice;

enum class PrintLayout
{
    Cards, // word cards, 2 x 4 a page, with cut marks
    Pages, // picture pages, the words under their themes
    List   // a table of the words
};

struct PrintOptions
{
    PrintLayout layout = PrintLayout::Cards;
    bool colours = true;
    // Cards: each page of fronts followed by one of backs that fits it.
    bool twoSided = false;
    QPageSize::PageSizeId paper = QPageSize::A4;
    // Picture pages: the words under this theme only; empty for all themes.
    QString theme;
};

// The layout's name on the command line and in the settings, and back.
QString layoutName(PrintLayout layout);
std::optional<PrintLayout> layoutNamed(const QString& name);

// The colour of an article: der blue, die red, das green, none grey.
QColor articleColour(const QString& article);
// The largest image of stored picture bytes (.ico or PNG); null when they
// hold none.
QImage decodePicture(const QByteArray& bytes);

// Gives the device the options' paper, portrait, without margins: the
// layouts keep their own distance from the edges.
void setUpPages(QPagedPaintDevice& device, const PrintOptions& options);
// Paints the words page by page onto a device set up by setUpPages(); the
// pictures are read from `source` as their page is drawn.
[[nodiscard]] Result paintWords(QPagedPaintDevice& device, PrintWords& source,
                                const std::vector<Word>& words, const PrintOptions& options);
// Writes the words as a PDF file; the file is replaced only by a whole one.
[[nodiscard]] Result writePdf(const QString& path, PrintWords& source,
                              const std::vector<Word>& words, const PrintOptions& options);
