#include "LegacyFixtures.h"
#include "convert/DatabaseKind.h"
#include "convert/Pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace LegacyFixtures;

namespace {

QByteArray picture(const char* format)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

QByteArray le(quint32 value, int size = 4)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>(value >> (8 * i)));
    }
    return bytes;
}

QByteArray prefixed(const QByteArray& bytes)
{
    return le(bytes.size()) + bytes;
}

QByteArray pictureStream(const QByteArray& picture)
{
    return QByteArray("lt\0\0", 4) + prefixed(picture);
}

// An OLE object as the old platform stores a file dropped into a field.
QByteArray olePackage(const QByteArray& file, const QByteArray& className = {"Package\0", 8},
                      quint16 packageSignature = 2)
{
    const QByteArray name("Packager Shell Object\0", 22);
    const QByteArray objectClass("Package\0", 8);
    const QByteArray header = QByteArray("\x15\x1c") +
                              le(20 + name.size() + objectClass.size(), 2) + le(2) +
                              le(name.size(), 2) + le(objectClass.size(), 2) + le(20, 2) +
                              le(20 + name.size(), 2) + le(0xffffffff) + name + objectClass;
    const QByteArray path("C:\\LEXA\\ICONES\\bild.ico\0", 24);
    const QByteArray native = le(packageSignature, 2) + QByteArray("bild.ico\0", 9) + path +
                              le(0x00030000) + prefixed(path) + prefixed(file);
    return header + le(0x0501) + le(2) + prefixed(className) + prefixed({}) + prefixed({}) +
           prefixed(native);
}

} // namespace

class TestLegacyFormats : public QObject
{
    Q_OBJECT

private slots:
    void databaseKindFromHeader_data()
    {
        QTest::addColumn<QVariant>("content");
        QTest::addColumn<DatabaseKind>("expected");
        const auto head = [](const char* path) {
            return QVariant(fileBytes(fixture(QLatin1String(path))).left(2048));
        };
        QTest::newRow("no file") << QVariant() << DatabaseKind::Missing;
        QTest::newRow("sqlite") << QVariant(QByteArray("SQLite format 3\0\x10\0", 18))
                                << DatabaseKind::SQLite;
        QTest::newRow("jet 3") << head("jet3/test2V1997.mdb") << DatabaseKind::Access;
        QTest::newRow("jet 4") << head("jet4/LEXA.MDB") << DatabaseKind::Access;
        QTest::newRow("ace") << QVariant(QByteArray("\0\1\0\0Standard ACE DB\0\1", 21))
                             << DatabaseKind::Access;
        QTest::newRow("empty file") << QVariant(QByteArray("")) << DatabaseKind::Unknown;
        QTest::newRow("text") << QVariant(QByteArray("Hund,Katze\r\n")) << DatabaseKind::Unknown;
        QTest::newRow("jet header cut")
            << QVariant(QByteArray("\0\1\0\0Standard Jet", 16)) << DatabaseKind::Unknown;
        QTest::newRow("jet name elsewhere")
            << QVariant(QByteArray("\1\1\0\0Standard Jet DB\0", 20)) << DatabaseKind::Unknown;
    }

    void databaseKindFromHeader()
    {
        QFETCH(QVariant, content);
        QFETCH(DatabaseKind, expected);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("LEXA.MDB"));
        if (content.isValid()) {
            QVERIFY(writeFile(path, content.toByteArray()));
        }
        QCOMPARE(databaseKind(path), expected);
    }

    void plainPictureOfEachForm_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<bool>("readable");
        const QByteArray ico = picture("ico");
        const QByteArray bmp = picture("bmp");
        const QByteArray package = olePackage(ico);
        const QByteArray unknown = olePackage(ico, {"PBrush\0", 7});
        const QByteArray badSignature = olePackage(ico, {"Package\0", 8}, 3);
        const QByteArray overlong = QByteArray("lt\0\0", 4) + le(ico.size() + 1) + ico;

        QTest::newRow("plain ico") << ico << ico << true;
        QTest::newRow("plain bmp") << bmp << bmp << true;
        QTest::newRow("stream ico") << pictureStream(ico) << ico << true;
        QTest::newRow("stream bmp") << pictureStream(bmp) << bmp << true;
        QTest::newRow("stream, bytes after") << pictureStream(ico) + "xyz" << ico << true;
        QTest::newRow("stream longer than value") << overlong << overlong << false;
        QTest::newRow("stream header cut")
            << QByteArray("lt\0\0\7\0", 6) << QByteArray("lt\0\0\7\0", 6) << false;
        QTest::newRow("stream of no picture")
            << pictureStream("Hund") << QByteArray("Hund") << false;
        QTest::newRow("package") << package << ico << true;
        QTest::newRow("package cut") << package.chopped(9) << package.chopped(9) << false;
        QTest::newRow("package header only") << package.left(40) << package.left(40) << false;
        QTest::newRow("other OLE class") << unknown << unknown << false;
        QTest::newRow("package signature") << badSignature << badSignature << false;
        QTest::newRow("no picture") << QByteArray("Hund") << QByteArray("Hund") << false;
        QTest::newRow("empty") << QByteArray() << QByteArray() << false;
    }

    void plainPictureOfEachForm()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, plain);
        QFETCH(bool, readable);
        QCOMPARE(plainPicture(stored), plain);
        QCOMPARE(isReadablePicture(plainPicture(stored)), readable);
    }
};

QTEST_MAIN(TestLegacyFormats)
#include "tst_legacyformats.moc"
