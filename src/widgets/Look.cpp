#include "widgets/Look.h"

#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace Look {

namespace {

// The 16 colours of the classic VGA palette that both icons are drawn with.
constexpr QColor black{0x00, 0x00, 0x00};
constexpr QColor navy{0x00, 0x00, 0x80};
constexpr QColor silver{0xC0, 0xC0, 0xC0};
constexpr QColor teal{0x00, 0x80, 0x80};
constexpr QColor yellow{0xFF, 0xFF, 0x00};

// The icons are designed on a 32 x 32 grid; a painter scaled to the wanted
// size draws the smaller images from the same shapes. No antialiasing, so
// no colours beyond the palette appear.
QPixmap drawIcon(int size, void (*draw)(QPainter&))
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

void drawBook(QPainter& p)
{
    p.setPen(QPen(black, 0));
    p.setBrush(navy);
    p.drawPolygon(
        QPolygon({{1, 9}, {15, 11}, {17, 11}, {31, 9}, {31, 27}, {17, 29}, {15, 29}, {1, 27}}));
    p.setBrush(white);
    p.drawPolygon(QPolygon({{3, 6}, {15, 8}, {15, 26}, {3, 24}}));
    p.drawPolygon(QPolygon({{17, 8}, {29, 6}, {29, 24}, {17, 26}}));
    p.setPen(QPen(grey, 0));
    for (int y = 11; y <= 21; y += 3) {
        p.drawLine(19, y, 27, y - 2);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRect(6, 10, 3, 12);
    p.drawRect(6, 19, 7, 3);
}

void drawWasteBin(QPainter& p)
{
    p.setPen(QPen(black, 0));
    p.setBrush(white);
    p.drawEllipse(6, 3, 9, 9);
    p.setBrush(yellow);
    p.drawEllipse(12, 1, 9, 10);
    p.setBrush(white);
    p.drawEllipse(18, 4, 8, 8);
    p.setPen(QPen(teal, 0));
    p.drawLine(14, 4, 18, 8);
    p.drawLine(8, 6, 12, 9);
    p.setPen(QPen(black, 0));
    p.setBrush(silver);
    p.drawPolygon(QPolygon({{7, 13}, {25, 13}, {23, 30}, {9, 30}}));
    p.setPen(QPen(grey, 0));
    for (int x = 12; x <= 20; x += 4) {
        p.drawLine(x, 15, x, 28);
    }
    p.setPen(QPen(black, 0));
    p.setBrush(grey);
    p.drawRect(5, 10, 22, 3);
}

} // namespace

QFont comicFont(qreal pointSize)
{
    QFont font;
    font.setFamilies({designComicFamily, comicFamily});
    font.setPointSizeF(pointSize);
    font.setBold(false); // not inherited from a bold window font
    return font;
}

QFont sansFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({designSansFamily, sansFamily});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    // Buttons fill their background from the Button role.
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setWindowColourBackground(QWidget* widget)
{
    setBackground(widget, widget->palette().color(QPalette::Active, QPalette::Base));
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void keepReadableWhenDisabled(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     palette.color(QPalette::Active, QPalette::Base));
    palette.setColor(QPalette::Disabled, QPalette::Text, lockedText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, lockedText);
    widget->setPalette(palette);
}

void keepListReadableWhenDisabled(QWidget* list)
{
    QPalette palette = list->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, lockedText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, lockedText);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, white);
    list->setPalette(palette);
}

void setFixedWindowSize(QWidget* window, const QSize& size)
{
    window->setFixedSize(size);
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (type == Qt::Window) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    window->setWindowFlags(flags);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    // move() places the frame; before the window manager has framed the
    // window, its frame is estimated from the margins the platform reports.
    QSize outer = window->frameGeometry().size();
    if (outer == window->size() && window->windowHandle() != nullptr) {
        const QMargins margins = window->windowHandle()->frameMargins();
        outer = outer.grownBy(margins);
    }
    const QRect area = screen->geometry();
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
}

QIcon applicationIcon()
{
    QIcon icon;
    icon.addPixmap(drawIcon(32, drawBook));
    icon.addPixmap(drawIcon(16, drawBook));
    return icon;
}

QPixmap wasteBinIcon(int size)
{
    return drawIcon(size, drawWasteBin);
}

} // namespace Look
