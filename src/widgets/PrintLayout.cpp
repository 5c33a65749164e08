#include "widgets/PrintLayout.h"

#include "data/GermanOrder.h"
#include "widgets/Look.h"
#include "widgets/PrintWords.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImageReader>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <map>

namespace {

constexpr int cardColumns = 2;
constexpr int cardRows = 4;
constexpr int pictureColumns = 4;
// Pictures kept for the pages that follow: a word under two themes, words
// sharing a picture.
constexpr size_t keptPictures = 64;
const QString noTheme = QStringLiteral("Ohne Thema");

// Millimetres in device pixels.
struct Units
{
    double perMm = 1;
    double operator()(double mm) const { return mm * perMm; }
};

QFont withSize(QFont font, double pointSize)
{
    font.setPointSizeF(pointSize);
    return font;
}

double advance(const QFont& font, const QString& text, QPaintDevice* device)
{
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

// The largest size up to `font`'s at which `text` fits `width`: a long word
// gets smaller, never cut.
QFont fitted(const QFont& font, const QString& text, double width, QPaintDevice* device)
{
    QFont shrunk = font;
    for (int step = 0; step < 8; ++step) {
        const double wide = advance(shrunk, text, device);
        if (wide <= width) {
            break;
        }
        shrunk.setPointSizeF(shrunk.pointSizeF() * width / wide * 0.98);
    }
    return shrunk;
}

// Draws the page number and a note, bottom of the page.
void drawFooter(QPainter& painter, const QRectF& area, const QString& left, const QString& right)
{
    painter.setPen(Qt::black);
    painter.setFont(Look::sansFont(8));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, left);
    painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, right);
}

// An icon of a few pixels, enlarged by whole pixels: printed large, it
// stays sharp instead of being blurred by the viewer or the printer.
QImage sharpened(const QImage& image)
{
    constexpr int printedPixels = 256;
    const int longest = std::max(image.width(), image.height());
    if (image.isNull() || longest >= printedPixels / 2) {
        return image;
    }
    const int factor = printedPixels / longest;
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// A picture for a printout without colours: grey on white paper.
QImage greyed(const QImage& image)
{
    if (image.isNull()) {
        return image;
    }
    QImage onPaper(image.size(), QImage::Format_RGB32);
    onPaper.fill(Qt::white);
    QPainter(&onPaper).drawImage(0, 0, image);
    return onPaper.convertToFormat(QImage::Format_Grayscale8);
}

class Pages
{
public:
    Pages(QPagedPaintDevice& device, PrintWords& source, const PrintOptions& options)
        : m_device(device), m_source(source), m_options(options), m_mm{device.logicalDpiX() / 25.4},
          m_page(0, 0, device.width(), device.height())
    {
    }

    Result paint(const std::vector<Word>& words)
    {
        if (!m_painter.begin(&m_device)) {
            return Result::failure(QStringLiteral("Die Seiten können nicht gezeichnet werden."));
        }
        m_painter.setRenderHint(QPainter::Antialiasing);
        switch (m_options.layout) {
        case PrintLayout::Cards:
            paintCards(words);
            break;
        case PrintLayout::Pages:
            paintPictures(words);
            break;
        case PrintLayout::List:
            paintList(words);
            break;
        }
        return m_painter.end() ? Result::success()
                               : Result::failure(QStringLiteral(
                                     "Die Seiten konnten nicht fertig gezeichnet werden."));
    }

private:
    void nextPage()
    {
        if (m_pages++ > 0) {
            m_device.newPage();
        }
    }

    QColor colourOf(const QString& article) const
    {
        return m_options.colours ? articleColour(article) : QColor(Qt::black);
    }

    QImage pictureOf(qint64 rowid)
    {
        // The same picture bytes give the same image object, which the PDF
        // holds once; the last pictures are kept, not all of them.
        const QByteArray bytes = m_source.picture(rowid);
        if (const auto kept = m_pictures.constFind(bytes); kept != m_pictures.constEnd()) {
            return *kept;
        }
        if (static_cast<size_t>(m_pictures.size()) >= keptPictures) {
            m_pictures.clear();
        }
        const QImage image = sharpened(decodePicture(bytes));
        return *m_pictures.insert(bytes, m_options.colours ? image : greyed(image));
    }

    // The picture fitted into `area`, sharp; a clean empty frame without one.
    void drawPicture(const QRectF& area, qint64 rowid)
    {
        const QImage image = pictureOf(rowid);
        if (image.isNull()) {
            m_painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), m_mm(0.3)));
            m_painter.setBrush(Qt::NoBrush);
            m_painter.drawRoundedRect(area, m_mm(2), m_mm(2));
            return;
        }
        const QSizeF size = QSizeF(image.size()).scaled(area.size(), Qt::KeepAspectRatio);
        const QRectF target(area.center() - QPointF(size.width(), size.height()) / 2, size);
        m_painter.drawImage(target, image);
    }

    // "der Hund" on one line in `area`: the article in its colour, the word
    // bold, both shrunk together until the line fits.
    void drawWordLine(const QRectF& area, const Word& word, double pointSize)
    {
        const QString article =
            word.determinant.isEmpty() ? QString() : word.determinant + QLatin1Char(' ');
        QFont wordFont = withSize(Look::comicFont(pointSize), pointSize);
        wordFont.setBold(true);
        QFont articleFont = withSize(Look::comicFont(pointSize), pointSize);
        const double wide =
            advance(articleFont, article, &m_device) + advance(wordFont, word.mot, &m_device);
        if (wide > area.width()) {
            const double scale =
                fitted(wordFont, article + word.mot, area.width(), &m_device).pointSizeF() /
                pointSize;
            wordFont.setPointSizeF(pointSize * scale);
            articleFont.setPointSizeF(pointSize * scale);
        }
        const double articleWide = advance(articleFont, article, &m_device);
        const double total = articleWide + advance(wordFont, word.mot, &m_device);
        const double left = area.left() + std::max(0.0, (area.width() - total) / 2);
        m_painter.setPen(word.determinant.isEmpty() ? QColor(Qt::black)
                                                    : colourOf(word.determinant));
        m_painter.setFont(articleFont);
        m_painter.drawText(QRectF(left, area.top(), articleWide, area.height()),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, article);
        m_painter.setPen(Qt::black);
        m_painter.setFont(wordFont);
        // Fitted to the line, the word is never clipped by a rounding.
        m_painter.drawText(QRectF(left + articleWide, area.top(), area.right() - left - articleWide,
                                  area.height()),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, word.mot);
    }

    // ------------------------------------------------------------ cards

    QRectF cardCell(int index) const
    {
        const double wide = m_page.width() / cardColumns;
        const double high = m_page.height() / cardRows;
        const int row = index / cardColumns; // whole rows above
        return {(index % cardColumns) * wide, row * high, wide, high};
    }

    // A shape for the article that greyscale keeps: der a circle, die a
    // triangle, das a square; none for no article.
    void drawArticleShape(const QRectF& box, const QString& article)
    {
        const QColor colour = colourOf(article);
        m_painter.setPen(QPen(colour, m_mm(0.4)));
        m_painter.setBrush(colour);
        if (article == u"der") {
            m_painter.drawEllipse(box);
        } else if (article == u"die") {
            QPainterPath triangle;
            triangle.moveTo(box.center().x(), box.top());
            triangle.lineTo(box.bottomRight());
            triangle.lineTo(box.bottomLeft());
            triangle.closeSubpath();
            m_painter.drawPath(triangle);
        } else if (article == u"das") {
            m_painter.drawRect(box);
        }
        m_painter.setBrush(Qt::NoBrush);
    }

    void drawCardFront(const QRectF& cell, const Word& word)
    {
        const QRectF frame = cell.adjusted(m_mm(5), m_mm(5), -m_mm(5), -m_mm(5));
        const QColor colour =
            m_options.colours ? articleColour(word.determinant) : QColor(0x40, 0x40, 0x40);
        m_painter.setPen(QPen(colour, m_mm(m_options.colours ? 2.2 : 0.8)));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRoundedRect(frame, m_mm(3), m_mm(3));
        drawArticleShape(QRectF(frame.left() + m_mm(3), frame.top() + m_mm(3), m_mm(5), m_mm(5)),
                         word.determinant);
        const QRectF inner = frame.adjusted(m_mm(4), m_mm(3), -m_mm(4), -m_mm(2));
        const double textHigh = m_mm(13);
        const QRectF above = inner.adjusted(0, 0, 0, -textHigh);
        const double side = std::min(above.width(), above.height());
        drawPicture(QRectF(above.center().x() - side / 2, above.top(), side, side), word.rowid);
        drawWordLine(QRectF(inner.left(), inner.bottom() - textHigh, inner.width(), textHigh), word,
                     22);
    }

    void drawCardBack(const QRectF& cell, const Word& word)
    {
        const QRectF inner = cell.adjusted(m_mm(10), m_mm(8), -m_mm(10), -m_mm(8));
        QFont font = Look::comicFont(26);
        font.setBold(true);
        m_painter.setPen(Qt::black);
        m_painter.setFont(fitted(font, word.mot, inner.width(), &m_device));
        m_painter.drawText(inner, Qt::AlignCenter | Qt::TextDontClip, word.mot);
    }

    // Short lines along the edges at every cut, small crosses where cuts meet.
    void drawCutMarks()
    {
        m_painter.setPen(QPen(Qt::black, m_mm(0.2)));
        const double tick = m_mm(4);
        for (int column = 1; column < cardColumns; ++column) {
            const double x = m_page.width() * column / cardColumns;
            m_painter.drawLine(QPointF(x, 0), QPointF(x, tick));
            m_painter.drawLine(QPointF(x, m_page.height() - tick), QPointF(x, m_page.height()));
        }
        for (int row = 1; row < cardRows; ++row) {
            const double y = m_page.height() * row / cardRows;
            m_painter.drawLine(QPointF(0, y), QPointF(tick, y));
            m_painter.drawLine(QPointF(m_page.width() - tick, y), QPointF(m_page.width(), y));
            for (int column = 1; column < cardColumns; ++column) {
                const double x = m_page.width() * column / cardColumns;
                m_painter.drawLine(QPointF(x - tick / 2, y), QPointF(x + tick / 2, y));
                m_painter.drawLine(QPointF(x, y - tick / 2), QPointF(x, y + tick / 2));
            }
        }
    }

    void paintCards(const std::vector<Word>& words)
    {
        constexpr size_t perPage = size_t{cardColumns} * cardRows;
        for (size_t first = 0; first < words.size(); first += perPage) {
            const size_t count = std::min(perPage, words.size() - first);
            nextPage();
            drawCutMarks();
            for (size_t i = 0; i < count; ++i) {
                drawCardFront(cardCell(static_cast<int>(i)), words[first + i]);
            }
            if (!m_options.twoSided) {
                continue;
            }
            // Turned over along the long edge, a card's back lies in the
            // same row, in the mirrored column.
            nextPage();
            drawCutMarks();
            for (size_t i = 0; i < count; ++i) {
                const int row = static_cast<int>(i) / cardColumns;
                const int column = cardColumns - 1 - static_cast<int>(i) % cardColumns;
                drawCardBack(cardCell(row * cardColumns + column), words[first + i]);
            }
        }
    }

    // ---------------------------------------------------- picture pages

    // The words under each theme, themes in German order, words without one last.
    std::vector<std::pair<QString, std::vector<const Word*>>>
    byTheme(const std::vector<Word>& words) const
    {
        std::map<QString, std::vector<const Word*>> groups;
        std::vector<const Word*> without;
        for (const Word& word : words) {
            const QStringList themes = m_source.themesOf(word);
            for (const QString& theme : themes) {
                if (m_options.theme.isEmpty() || theme == m_options.theme) {
                    groups[theme].push_back(&word);
                }
            }
            if (themes.isEmpty()) {
                without.push_back(&word);
            }
        }
        QStringList names;
        for (const auto& group : groups) {
            names.append(group.first);
        }
        std::vector<std::pair<QString, std::vector<const Word*>>> ordered;
        for (const qsizetype index : GermanOrder().order(names)) {
            const QString& name = names.at(index);
            ordered.emplace_back(name, std::move(groups[name]));
        }
        if (!without.empty()) {
            ordered.emplace_back(noTheme, std::move(without));
        }
        return ordered;
    }

    void pageFooter(const QRectF& body)
    {
        drawFooter(m_painter, QRectF(body.left(), body.bottom(), body.width(), m_mm(10)),
                   QDir::toNativeSeparators(m_source.folder()),
                   QStringLiteral("Seite %1").arg(m_pages));
    }

    void paintPictures(const std::vector<Word>& words)
    {
        const QRectF body = m_page.adjusted(m_mm(15), m_mm(15), -m_mm(15), -m_mm(20));
        const double cellWide = body.width() / pictureColumns;
        const double cellHigh = cellWide + m_mm(10);
        const double headingHigh = m_mm(14);
        double y = body.bottom(); // no page yet
        for (const auto& [theme, members] : byTheme(words)) {
            // A heading goes to the next page unless a row of pictures fits below it.
            if (y + headingHigh + cellHigh > body.bottom()) {
                nextPage();
                pageFooter(body);
                y = body.top();
            }
            QFont headingFont = Look::sansFont(16, true);
            m_painter.setPen(Qt::black);
            m_painter.setFont(fitted(headingFont, theme, body.width(), &m_device));
            const QRectF heading(body.left(), y, body.width(), headingHigh - m_mm(3));
            m_painter.drawText(heading, Qt::AlignLeft | Qt::AlignBottom, theme);
            m_painter.setPen(QPen(Qt::black, m_mm(0.3)));
            m_painter.drawLine(heading.bottomLeft(), heading.bottomRight());
            y += headingHigh;
            for (size_t i = 0; i < members.size(); ++i) {
                const int column = static_cast<int>(i % pictureColumns);
                if (column == 0 && i > 0) {
                    y += cellHigh;
                }
                if (y + cellHigh > body.bottom()) {
                    nextPage();
                    pageFooter(body);
                    y = body.top();
                }
                const QRectF cell(body.left() + column * cellWide, y, cellWide, cellHigh);
                const QRectF picture(cell.left() + m_mm(3), cell.top() + m_mm(2),
                                     cellWide - m_mm(6), cellWide - m_mm(6));
                drawPicture(picture, members[i]->rowid);
                drawWordLine(QRectF(cell.left() + m_mm(1), picture.bottom() + m_mm(1),
                                    cellWide - m_mm(2), m_mm(8)),
                             *members[i], 14);
            }
            y += cellHigh + m_mm(4);
        }
    }

    // --------------------------------------------------------- word list

    void paintList(const std::vector<Word>& words)
    {
        const QRectF body = m_page.adjusted(m_mm(15), m_mm(15), -m_mm(15), -m_mm(20));
        const double rowHigh = m_mm(6.5);
        const int perPage = std::max(1, static_cast<int>(body.height() / rowHigh) - 1);
        const int pageCount = static_cast<int>((words.size() + perPage - 1) / perPage);
        const QString note =
            QStringLiteral("Wörterbuch %1, Stand %2")
                .arg(QDir::toNativeSeparators(m_source.folder()),
                     QLocale(QLocale::German)
                         .toString(m_source.written().date(), QStringLiteral("dd.MM.yyyy")));
        const double widths[] = {0.13, 0.42, 0.12, 0.33};
        const QStringList headings = {QStringLiteral("Artikel"), QStringLiteral("Wort"),
                                      QStringLiteral("Frequenz"), QStringLiteral("Themen")};
        const auto drawRow = [&](double y, const QStringList& cells, bool bold,
                                 const QColor& articleColour) {
            double x = body.left();
            for (int column = 0; column < 4; ++column) {
                const double wide = body.width() * widths[column];
                QFont font = Look::sansFont(10, bold);
                m_painter.setFont(fitted(font, cells.at(column), wide - m_mm(2), &m_device));
                m_painter.setPen(column == 0 ? articleColour : QColor(Qt::black));
                m_painter.drawText(QRectF(x + m_mm(1), y, wide - m_mm(2), rowHigh),
                                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                                   cells.at(column));
                x += wide;
            }
        };
        for (int page = 0; page < pageCount; ++page) {
            nextPage();
            double y = body.top();
            drawRow(y, headings, true, Qt::black);
            y += rowHigh;
            m_painter.setPen(QPen(Qt::black, m_mm(0.3)));
            m_painter.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
            const size_t first = static_cast<size_t>(page) * perPage;
            const size_t last = std::min(words.size(), first + perPage);
            for (size_t i = first; i < last; ++i) {
                const Word& word = words[i];
                if ((i - first) % 2 == 1) {
                    m_painter.fillRect(QRectF(body.left(), y, body.width(), rowHigh),
                                       QColor(0xF0, 0xF0, 0xF0));
                }
                drawRow(y,
                        {word.determinant, word.mot, word.categorie,
                         m_source.themesOf(word).join(QStringLiteral(", "))},
                        false, colourOf(word.determinant));
                y += rowHigh;
            }
            drawFooter(m_painter, QRectF(body.left(), body.bottom(), body.width(), m_mm(10)), note,
                       QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pageCount));
        }
    }

    QPagedPaintDevice& m_device;
    PrintWords& m_source;
    const PrintOptions& m_options;
    Units m_mm;
    QRectF m_page;
    QPainter m_painter;
    int m_pages = 0;
    QHash<QByteArray, QImage> m_pictures;
};

} // namespace

QString layoutName(PrintLayout layout)
{
    switch (layout) {
    case PrintLayout::Cards:
        return QStringLiteral("cards");
    case PrintLayout::Pages:
        return QStringLiteral("pages");
    case PrintLayout::List:
        return QStringLiteral("list");
    }
    return {};
}

std::optional<PrintLayout> layoutNamed(const QString& name)
{
    for (const PrintLayout layout : {PrintLayout::Cards, PrintLayout::Pages, PrintLayout::List}) {
        if (layoutName(layout) == name) {
            return layout;
        }
    }
    return std::nullopt;
}

QColor articleColour(const QString& article)
{
    if (article == u"der") {
        return {0x15, 0x65, 0xC0};
    }
    if (article == u"die") {
        return {0xD3, 0x2F, 0x2F};
    }
    if (article == u"das") {
        return {0x2E, 0x7D, 0x32};
    }
    return {0x90, 0x90, 0x90};
}

QImage decodePicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    QImage largest;
    // An icon holds several sizes; the largest prints sharpest.
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) {
            break;
        }
        const QImage image = reader.read();
        if (!image.isNull() && (largest.isNull() || image.width() * image.height() >
                                                        largest.width() * largest.height())) {
            largest = image;
        }
    }
    return largest;
}

void setUpPages(QPagedPaintDevice& device, const PrintOptions& options)
{
    device.setPageLayout(QPageLayout(QPageSize(options.paper), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
}

Result paintWords(QPagedPaintDevice& device, PrintWords& source, const std::vector<Word>& words,
                  const PrintOptions& options)
{
    return Pages(device, source, options).paint(words);
}

Result writePdf(const QString& path, PrintWords& source, const std::vector<Word>& words,
                const PrintOptions& options)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden. Prüfen Sie, ob es den "
                           "Ordner „%2“ gibt und ob Sie darin schreiben dürfen.")
                .arg(shown, QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("LEXA"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        setUpPages(writer, options);
        if (Result painted = paintWords(writer, source, words, options); !painted) {
            file.cancelWriting();
            return painted;
        }
    }
    if (!file.commit()) {
        return Result::failure(
            QStringLiteral("Die Datei „%1“ konnte nicht vollständig geschrieben werden. Ist "
                           "auf dem Laufwerk genug Platz?")
                .arg(shown));
    }
    return Result::success();
}
