#include "Fixtures.h"
#include "widgets/PrintLayout.h"
#include "widgets/PrintWords.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Fixtures::columns;
using Fixtures::row;

// What a poppler tool prints for `arguments`; empty when it failed.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(poppler("pdfinfo", {pdf})).captured(1).toInt();
}

QString text(const QString& pdf, int page = 0)
{
    QStringList arguments = {"-layout"};
    if (page > 0) {
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    }
    return poppler("pdftotext", arguments << pdf << "-");
}

// The box of each word on a page, in points from the top left, and the page's width.
struct Box
{
    QString word;
    double left, right;
};
std::vector<Box> boxes(const QString& pdf, int page, double* pageWidth)
{
    const QString html = poppler(
        "pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    *pageWidth = QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\""))
                     .match(html)
                     .captured(1)
                     .toDouble();
    std::vector<Box> found;
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>([^<]*)<"));
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        found.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return found;
}

// An .ico holding one picture of each size, of one colour.
QByteArray icoOfSizes(const QList<int>& sizes, unsigned rgb)
{
    QList<QByteArray> images;
    for (const int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(QColor::fromRgb(rgb));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        images.append(png);
    }
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const auto side = static_cast<quint8>(sizes[i] >= 256 ? 0 : sizes[i]);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(images[i].size()) << offset;
        offset += images[i].size();
    }
    for (const QByteArray& png : images) {
        out.writeRawData(png.constData(), static_cast<int>(png.size()));
    }
    return ico;
}

WordRow noun(const char* article, const char* word, const char* themes = "Tiere",
             QByteArray icon = {})
{
    return {word, article, "1", themes, {}, std::move(icon)};
}

} // namespace

// The printouts as a reader of the PDF finds them: pages, words, pictures, colours.
class PrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes a dictionary of `rows` and its PDF; the PDF's path, empty on failure.
    QString pdfOf(const QList<WordRow>& rows, const PrintOptions& options,
                  const WordChoice& choice = {})
    {
        const QString folder = m_dir.filePath(QString::number(++m_count));
        if (!QDir().mkpath(folder) || !Fixtures::writeDictionary(folder, rows) ||
            !Fixtures::writeThemes(folder, {"Haus", "Haustiere", "Tiere", "Essen"})) {
            return {};
        }
        ResultOf<std::unique_ptr<PrintWords>> words = PrintWords::open(folder);
        if (!words) {
            qWarning() << words.error;
            return {};
        }
        const QString pdf = folder + "/out.pdf";
        const Result written = writePdf(pdf, *words.value, words.value->choose(choice), options);
        return written ? pdf : QString();
    }
    int m_count = 0;

    static QList<WordRow> numbered(int count)
    {
        QList<WordRow> rows;
        for (int i = 0; i < count; ++i) {
            rows.append(
                noun("der", qPrintable(QStringLiteral("Wort%1").arg(i, 3, 10, QChar('0')))));
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm", "pdfimages"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                QSKIP("poppler-utils are not installed");
            }
        }
    }

    void pages_data()
    {
        columns<PrintLayout, int, bool, QPageSize::PageSizeId, int, QString>(
            "layout", "words", "twoSided", "paper", "pages", "lastPageSays");
        row("8 cards fill one page", PrintLayout::Cards, 8, false, QPageSize::A4, 1, "Wort007");
        row("the 9th card begins a page", PrintLayout::Cards, 9, false, QPageSize::A4, 2,
            "Wort008");
        row("each front followed by its backs", PrintLayout::Cards, 9, true, QPageSize::A4, 4,
            "Wort008");
        row("cards on Letter", PrintLayout::Cards, 9, false, QPageSize::Letter, 2, "Wort008");
        row("a theme's fifth row goes over", PrintLayout::Pages, 20, false, QPageSize::A4, 2,
            "Seite 2");
        row("list numbers its pages", PrintLayout::List, 60, false, QPageSize::A4, 2,
            "Seite 2 von 2");
        row("Letter holds fewer rows", PrintLayout::List, 38, false, QPageSize::Letter, 2,
            "Seite 2 von 2");
    }
    void pages()
    {
        QFETCH(PrintLayout, layout);
        QFETCH(int, words);
        QFETCH(bool, twoSided);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(int, pages);
        QFETCH(QString, lastPageSays);
        PrintOptions options{layout, true, twoSided, paper, {}};
        const QString pdf = pdfOf(numbered(words), options);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pageCount(pdf), pages);
        const int lastFront = twoSided ? pages - 1 : pages;
        QVERIFY2(text(pdf, lastFront).contains(lastPageSays), qPrintable(text(pdf, lastFront)));
        const QSizeF points = QPageSize(paper).size(QPageSize::Point);
        QVERIFY(poppler("pdfinfo", {pdf})
                    .contains(QStringLiteral("%1 x %2 pts")
                                  .arg(qRound(points.width()))
                                  .arg(qRound(points.height()))));
    }

    // The longest word stays whole and inside its card, cell or column.
    void longWordFits_data()
    {
        columns<PrintLayout, QPageSize::PageSizeId, double>("layout", "paper", "rightEdge");
        // The first card's cell is the page's left half.
        row("card A4", PrintLayout::Cards, QPageSize::A4, 0.5);
        row("card Letter", PrintLayout::Cards, QPageSize::Letter, 0.5);
        // 15 mm margin, then four cells over the rest.
        row("picture page", PrintLayout::Pages, QPageSize::A4, (15 + 180.0 / 4) / 210);
        row("list, word column", PrintLayout::List, QPageSize::A4, (15 + 180 * 0.55) / 210);
    }
    void longWordFits()
    {
        QFETCH(PrintLayout, layout);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(double, rightEdge);
        const QString longest = QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitän");
        const QString pdf =
            pdfOf({noun("der", longest.toUtf8().constData())}, {layout, true, false, paper, {}});
        QVERIFY(!pdf.isEmpty());
        double width = 0;
        const std::vector<Box> found = boxes(pdf, 1, &width);
        const auto box = std::find_if(found.begin(), found.end(),
                                      [&](const Box& b) { return b.word == longest; });
        QVERIFY2(box != found.end(), qPrintable(text(pdf)));
        QVERIFY2(
            box->left >= 0 && box->right <= width * rightEdge,
            qPrintable(QStringLiteral("%1..%2 of %3").arg(box->left).arg(box->right).arg(width)));
    }

    // Each stored picture once, at its largest size enlarged by whole pixels;
    // bytes that are no picture and no bytes give none.
    void pictures_data()
    {
        columns<PrintLayout, QByteArray, QString>("layout", "icon", "images");
        row("icon: its largest size", PrintLayout::Cards, icoOfSizes({16, 48, 32}, 0xff0000),
            "240x240");
        row("PNG", PrintLayout::Cards, Fixtures::icoBytes(0x00ff00, "PNG"), "256x256");
        row("bytes that are no picture", PrintLayout::Cards, QByteArray("kein Bild"), "");
        row("no picture", PrintLayout::Cards, QByteArray(), "");
        row("under two themes, embedded once", PrintLayout::Pages, Fixtures::icoBytes(0xff),
            "256x256");
        row("the list shows none", PrintLayout::List, Fixtures::icoBytes(0xff), "");
    }
    void pictures()
    {
        QFETCH(PrintLayout, layout);
        QFETCH(QByteArray, icon);
        QFETCH(QString, images);
        const QString pdf =
            pdfOf({noun("der", "Hund", "HaustiereTiere", icon), noun("die", "Katze")},
                  {layout, true, false, QPageSize::A4, {}});
        QVERIFY(!pdf.isEmpty());
        QStringList found;
        QSet<QString> objects;
        for (const QString& line : poppler("pdfimages", {"-list", pdf}).split('\n').mid(2)) {
            const QStringList fields = line.simplified().split(' ');
            if (fields.size() > 10 && fields[2] == "image") {
                found.append(fields[3] + 'x' + fields[4]);
                objects.insert(fields[10]);
            }
        }
        QCOMPARE(objects.size(), images.isEmpty() ? 0 : 1);
        QCOMPARE(found.value(0), images);
        if (layout == PrintLayout::Pages) {
            QCOMPARE(found.size(), 2); // drawn under both themes
        }
        // The cards read the words whatever their pictures are.
        QVERIFY(text(pdf).contains("Hund"));
    }

    // The articles' colours on the cards, and a page without colour, its
    // pictures included.
    void colours_data()
    {
        columns<bool>("colours");
        row("coloured", true);
        row("black and white", false);
    }
    void colours()
    {
        QFETCH(bool, colours);
        const QString pdf = pdfOf({noun("der", "Hund", "Tiere", icoOfSizes({32}, 0xffff00)),
                                   noun("die", "Katze"), noun("das", "Pferd")},
                                  {PrintLayout::Cards, colours, false, QPageSize::A4, {}});
        QVERIFY(!pdf.isEmpty());
        const QString png = pdf + "-page";
        QVERIFY(QProcess::execute("pdftoppm", {"-png", "-r", "30", "-singlefile", pdf, png}) == 0);
        const QImage page(png + ".png");
        QVERIFY(!page.isNull());
        int blue = 0, red = 0, green = 0, coloured = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                blue += c.blue() > 150 && c.red() < 80;
                red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
                green += c.green() > 100 && c.red() < 80 && c.blue() < 80;
                coloured += c.hsvSaturation() > 60;
            }
        }
        if (colours) {
            QVERIFY(blue > 50 && red > 50 && green > 50);
        } else {
            QCOMPARE(coloured, 0);
        }
    }

    // Turned over along the long edge, each back lies behind its front.
    void backsMirrored()
    {
        const QString pdf = pdfOf({noun("der", "Apfel"), noun("die", "Birne"), noun("das", "Ei")},
                                  {PrintLayout::Cards, true, true, QPageSize::A4, {}});
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pageCount(pdf), 2);
        const auto sideOf = [&](int page, const QString& word) {
            double width = 0;
            for (const Box& box : boxes(pdf, page, &width)) {
                if (box.word == word) {
                    return box.left < width / 2 ? QStringLiteral("left") : QStringLiteral("right");
                }
            }
            return QStringLiteral("none");
        };
        QCOMPARE(sideOf(1, "Apfel"), "left");
        QCOMPARE(sideOf(2, "Apfel"), "right");
        QCOMPARE(sideOf(1, "Birne"), "right");
        QCOMPARE(sideOf(2, "Birne"), "left");
        QCOMPARE(sideOf(2, "Ei"), "right");
        QVERIFY(!text(pdf, 2).contains("der")); // backs: the word alone
    }

    // Which words, in which order, and the themes they are told apart by.
    void choice_data()
    {
        columns<bool, QString, QStringList, QStringList>("marked", "theme", "listed", "words");
        row("all in German order", false, "", QStringList{},
            QStringList{"Ähre", "Apfel", "Haus", "Hund", "Zug"});
        row("marked", true, "", QStringList{}, QStringList{"Apfel", "Zug"});
        // "Haustiere" holds "Haus" but is another theme.
        row("a theme by its name", false, "Haus", QStringList{}, QStringList{"Haus"});
        row("a theme run together with another", false, "Tiere", QStringList{},
            QStringList{"Hund"});
        row("a list in its order, once each", false, "",
            QStringList{" Zug ", "Hund", "Zug", "fehlt"}, QStringList{"Zug", "Hund"});
        row("marked of a list", true, "", QStringList{"Hund", "Zug"}, QStringList{"Zug"});
    }
    void choice()
    {
        QFETCH(bool, marked);
        QFETCH(QString, theme);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, words);
        const QString folder = m_dir.filePath(QString::number(++m_count));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(Fixtures::writeDictionary(folder, {{"Zug", "der", "2", "Verkehr", "O"},
                                                   {"Hund", "der", "1", "HaustiereTiere"},
                                                   {"Haus", "das", "1", "Haus"},
                                                   {"Apfel", "der", "1", "Essen", "O"},
                                                   {"Ähre", "die", "5", {}},
                                                   {" ", {}, {}, {}}}));
        QVERIFY(Fixtures::writeThemes(folder, {"Haus", "Haustiere", "Tiere", "Essen"}));
        ResultOf<std::unique_ptr<PrintWords>> source = PrintWords::open(folder);
        QVERIFY2(source, qPrintable(source.error));
        QStringList found;
        for (const Word& word : source.value->choose({marked, theme, listed})) {
            found.append(word.mot);
        }
        QCOMPARE(found, words);
    }

    // Picture pages: each theme a heading in German order, a word under every
    // theme it has, the words without one last.
    void picturePageHeadings()
    {
        const QString pdf =
            pdfOf({noun("der", "Hund", "HaustiereTiere"), noun("das", "Brot", "Essen"),
                   noun("die", "Ruhe", {}), noun("die", "Katze", "Haustiere")},
                  {PrintLayout::Pages, true, false, QPageSize::A4, {}});
        QVERIFY(!pdf.isEmpty());
        const QStringList lines = text(pdf).simplified().split(' ');
        QStringList shown;
        for (const QString& word : lines) {
            if (QStringList{"Essen", "Haustiere", "Tiere", "Ohne", "Brot", "Hund", "Katze", "Ruhe"}
                    .contains(word)) {
                shown.append(word);
            }
        }
        QCOMPARE(shown, (QStringList{"Essen", "Brot", "Haustiere", "Hund", "Katze", "Tiere", "Hund",
                                     "Ohne", "Ruhe"}));
    }

    // A PDF that cannot be written leaves nothing behind and says where.
    void unwritableFolder()
    {
        const QString folder = m_dir.filePath("w");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(Fixtures::writeDictionary(folder, {noun("der", "Hund")}));
        ResultOf<std::unique_ptr<PrintWords>> source = PrintWords::open(folder);
        QVERIFY(source);
        const QString pdf = m_dir.filePath("fehlt/karten.pdf");
        const Result written = writePdf(pdf, *source.value, source.value->choose({}), {});
        QVERIFY(!written);
        QVERIFY2(written.error.contains("fehlt"), qPrintable(written.error));
        QVERIFY(!QFileInfo::exists(pdf));
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
