#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// The drawings a demo icon can carry: a small picture of the thing itself, or
// a tile with the word's initial in the colour of its theme.
enum class Pictogram
{
    None,
    Tile,
    Sun,
    Moon,
    Star,
    House,
    Tree,
    Heart,
    Drop,
    Fish,
    Flower,
    Apple,
    Cloud,
};

namespace Icons {

inline constexpr int Size = 32;

QImage draw(Pictogram pictogram, const QString& initial, const QColor& tileColour);
// The bytes of a ".ico" file holding `image` as its one (PNG-compressed) entry.
QByteArray icoFile(const QImage& image);
// The same as an uncompressed bitmap, as most ".ico" files on disk are:
// about 4 KiB at 32 x 32. Empty when Qt's icon writer is missing.
QByteArray bitmapIcoFile(const QImage& image);

} // namespace Icons
