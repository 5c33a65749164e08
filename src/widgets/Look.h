#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// Fonts, colours and icons shared by both windows.
namespace Look {

// The fonts the windows were designed with, requested first, and the free
// stand-ins used where they are not installed: Comic Neue for Comic Sans MS,
// Liberation Sans (Arial metrics, the same pixel size) for MS Sans Serif.
inline const QString designComicFamily = QStringLiteral("Comic Sans MS");
inline const QString designSansFamily = QStringLiteral("MS Sans Serif");
inline const QString comicFamily = QStringLiteral("Comic Neue");
inline const QString sansFamily = QStringLiteral("Liberation Sans");

// Places and sizes are designed in twips; 15 twips are one logical pixel.
constexpr int pixels(int twips)
{
    return (twips + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}
constexpr QPoint twipsPoint(int x, int y)
{
    return {pixels(x), pixels(y)};
}

QFont comicFont(qreal pointSize);
QFont sansFont(qreal pointSize, bool bold = false);

inline constexpr QColor designBackground{0xC0, 0xFF, 0xC0};
inline constexpr QColor loadedBackground{0xAD, 0xE7, 0xFF};
inline constexpr QColor buttonFace{0xE0, 0xDF, 0xE3};
inline constexpr QColor red{0xFF, 0x00, 0x00};
inline constexpr QColor blue{0x00, 0x00, 0xFF};
inline constexpr QColor white{0xFF, 0xFF, 0xFF};
inline constexpr QColor grey{0x80, 0x80, 0x80};
// The text of a disabled field: 10:1 against white, so the current word
// stays readable while the fields are locked.
inline constexpr QColor lockedText{0x40, 0x40, 0x40};

// Fills the widget's background with the colour.
void setBackground(QWidget* widget, const QColor& colour);
// Fills the widget's background with the system window colour (white boxes).
void setWindowColourBackground(QWidget* widget);
void setTextColour(QWidget* widget, const QColor& colour);
// Keeps a disabled field's ground and shows its text in lockedText.
void keepReadableWhenDisabled(QWidget* widget);
// A disabled list keeps its greyed ground but shows its entries in
// lockedText, the selected one white on lockedText: the word list stays
// readable while a word is edited, when the user looks for duplicates.
void keepListReadableWhenDisabled(QWidget* list);

// Gives a top-level window its one size: no resizing, no maximise button.
void setFixedWindowSize(QWidget* window, const QSize& size);
// Places a window in the middle of its screen, its frame included.
void centreOnScreen(QWidget* window);

// LEXA's own icon: an open book with an "L", 32 x 32 and 16 x 16, 16 colours.
QIcon applicationIcon();
// A full waste-paper bin, 16 colours, drawn for a size of 32 or 16 pixels.
QPixmap wasteBinIcon(int size);

} // namespace Look
