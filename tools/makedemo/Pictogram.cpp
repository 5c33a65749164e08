#include "Pictogram.h"

#include <QBuffer>
#include <QDataStream>
#include <QFont>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

void drawTile(QPainter& p, const QString& initial, const QColor& colour)
{
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    QFont font("DejaVu Sans");
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, Icons::Size, Icons::Size), Qt::AlignCenter, initial);
}

void drawSun(QPainter& p)
{
    p.setPen(QPen(QColor("#f0a000"), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(16 + 10 * qCos(a), 16 + 10 * qSin(a)),
                   QPointF(16 + 14.5 * qCos(a), 16 + 14.5 * qSin(a)));
    }
    p.setBrush(QColor("#ffd020"));
    p.drawEllipse(QPointF(16, 16), 7.5, 7.5);
}

void drawMoon(QPainter& p)
{
    QPainterPath disc;
    disc.addEllipse(QPointF(16, 16), 13, 13);
    QPainterPath bite;
    bite.addEllipse(QPointF(23, 11), 12, 12);
    p.setPen(QColor("#b09000"));
    p.setBrush(QColor("#ffe060"));
    p.drawPath(disc.subtracted(bite));
}

void drawStar(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? 14.5 : 6;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(16 + r * qCos(a), 17 + r * qSin(a));
    }
    p.setPen(QColor("#c08000"));
    p.setBrush(QColor("#ffc000"));
    p.drawPolygon(star);
}

void drawHouse(QPainter& p)
{
    p.setPen(QColor("#603000"));
    p.setBrush(QColor("#f0e0b0"));
    p.drawRect(QRectF(6.5, 14.5, 19, 15));
    p.setBrush(QColor("#c03020"));
    p.drawPolygon(QPolygonF({QPointF(3, 15), QPointF(16, 3), QPointF(29, 15)}));
    p.setBrush(QColor("#805020"));
    p.drawRect(QRectF(13.5, 20.5, 5, 9));
}

void drawTree(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#7a4a1a"));
    p.drawRect(QRectF(13.5, 18, 5, 12));
    p.setPen(QColor("#1e6a1e"));
    p.setBrush(QColor("#34a834"));
    p.drawEllipse(QPointF(16, 12), 11, 10);
}

void drawHeart(QPainter& p)
{
    QPainterPath heart(QPointF(16, 28));
    heart.cubicTo(QPointF(-4, 14), QPointF(8, -2), QPointF(16, 9));
    heart.cubicTo(QPointF(24, -2), QPointF(36, 14), QPointF(16, 28));
    p.setPen(QColor("#901020"));
    p.setBrush(QColor("#e02040"));
    p.drawPath(heart);
}

void drawDrop(QPainter& p)
{
    QPainterPath drop(QPointF(16, 2));
    drop.cubicTo(QPointF(20, 12), QPointF(26, 16), QPointF(26, 21));
    drop.arcTo(QRectF(6, 11, 20, 20), 0, -180);
    drop.cubicTo(QPointF(6, 16), QPointF(12, 12), QPointF(16, 2));
    p.setPen(QColor("#1050a0"));
    p.setBrush(QColor("#40a0f0"));
    p.drawPath(drop);
}

void drawFish(QPainter& p)
{
    p.setPen(QColor("#a04000"));
    p.setBrush(QColor("#ff9020"));
    p.drawPolygon(QPolygonF({QPointF(20, 16), QPointF(31, 7), QPointF(31, 25)}));
    p.drawEllipse(QPointF(13, 16), 12, 8);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(7, 14), 1.5, 1.5);
}

void drawFlower(QPainter& p)
{
    p.setPen(QPen(QColor("#2a8a2a"), 2));
    p.drawLine(QPointF(16, 16), QPointF(16, 31));
    p.setPen(QColor("#a02070"));
    p.setBrush(QColor("#f060b0"));
    for (int i = 0; i < 5; ++i) {
        const qreal a = -M_PI / 2 + i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(16 + 7 * qCos(a), 12 + 7 * qSin(a)), 5, 5);
    }
    p.setBrush(QColor("#ffd020"));
    p.drawEllipse(QPointF(16, 12), 4, 4);
}

void drawApple(QPainter& p)
{
    p.setPen(QPen(QColor("#603010"), 2));
    p.drawLine(QPointF(16, 10), QPointF(18, 3));
    p.setPen(QColor("#1e6a1e"));
    p.setBrush(QColor("#40b040"));
    p.drawEllipse(QPointF(22, 6), 4, 2.5);
    p.setPen(QColor("#801010"));
    p.setBrush(QColor("#e02020"));
    p.drawEllipse(QPointF(16, 19), 12, 11);
}

void drawCloud(QPainter& p)
{
    QPainterPath cloud;
    const auto puff = [&cloud](QPointF centre, qreal rx, qreal ry) {
        QPainterPath part;
        part.addEllipse(centre, rx, ry);
        cloud = cloud.united(part);
    };
    puff(QPointF(10, 20), 7, 6);
    puff(QPointF(17, 14), 9, 9);
    puff(QPointF(24, 19), 7, 7);
    puff(QPointF(16, 21), 9, 5);
    p.setPen(QColor("#606878"));
    p.setBrush(QColor("#d8dde6"));
    p.drawPath(cloud);
}

void drawPictogram(QPainter& p, Pictogram pictogram, const QString& initial, const QColor& colour)
{
    switch (pictogram) {
    case Pictogram::None:
        return;
    case Pictogram::Tile:
        return drawTile(p, initial, colour);
    case Pictogram::Sun:
        return drawSun(p);
    case Pictogram::Moon:
        return drawMoon(p);
    case Pictogram::Star:
        return drawStar(p);
    case Pictogram::House:
        return drawHouse(p);
    case Pictogram::Tree:
        return drawTree(p);
    case Pictogram::Heart:
        return drawHeart(p);
    case Pictogram::Drop:
        return drawDrop(p);
    case Pictogram::Fish:
        return drawFish(p);
    case Pictogram::Flower:
        return drawFlower(p);
    case Pictogram::Apple:
        return drawApple(p);
    case Pictogram::Cloud:
        return drawCloud(p);
    }
}

} // namespace

namespace Icons {

QImage draw(Pictogram pictogram, const QString& initial, const QColor& tileColour)
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPictogram(painter, pictogram, initial, tileColour);
    return image;
}

QByteArray icoFile(const QImage& image)
{
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    image.save(&pngBuffer, "PNG");

    constexpr quint32 headerSize = 6 + 16; // ICONDIR + one ICONDIRENTRY
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1); // reserved, type icon, one image
    // A dimension of 256 is written as 0.
    out << quint8(image.width() % 256) << quint8(image.height() % 256) << quint8(0) << quint8(0)
        << quint16(1) << quint16(32) << quint32(png.size()) << headerSize;
    ico.append(png);
    return ico;
}

QByteArray bitmapIcoFile(const QImage& image)
{
    QByteArray ico;
    QBuffer buffer(&ico);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    return writer.write(image) ? ico : QByteArray();
}

} // namespace Icons
