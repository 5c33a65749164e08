#include "Pictures.h"

#include "ByteCursor.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

constexpr QByteArrayView StreamMagic{"lt\0\0", 4};
constexpr QByteArrayView OleMagic{"\x15\x1c", 2};
constexpr QByteArrayView PackageClass{"Package\0", 8};
constexpr quint32 EmbeddedObject = 2;
constexpr quint16 PackageSignature = 2;

QByteArray result(const ByteCursor& cursor, QByteArrayView inner, const QByteArray& stored)
{
    return cursor.ok() ? inner.toByteArray() : stored;
}

QByteArray unwrapStream(const QByteArray& stored)
{
    ByteCursor cursor(stored);
    cursor.take(StreamMagic.size());
    const QByteArrayView inner = cursor.lengthPrefixed();
    return result(cursor, inner, stored);
}

// The OLE object header, then an OLE 1 stream with the class name, topic,
// item and native data; the native data of a "Package" holds a label, the
// original path, a temporary path and the file bytes.
QByteArray unwrapPackage(const QByteArray& stored)
{
    ByteCursor object(stored);
    object.take(OleMagic.size());
    object.take(qint64(object.u16()) - 4);
    object.u32(); // OLE version
    const bool embedded = object.u32() == EmbeddedObject;
    const bool package = object.lengthPrefixed() == PackageClass;
    object.lengthPrefixed(); // topic
    object.lengthPrefixed(); // item
    const QByteArrayView native = object.lengthPrefixed();
    if (!object.ok() || !embedded || !package) {
        return stored;
    }

    ByteCursor contents(native);
    const bool signature = contents.u16() == PackageSignature;
    contents.skipCString();    // label
    contents.skipCString();    // original path
    contents.u32();            // flags
    contents.lengthPrefixed(); // temporary path
    const QByteArrayView file = contents.lengthPrefixed();
    return signature ? result(contents, file, stored) : stored;
}

} // namespace

QByteArray plainPicture(const QByteArray& stored)
{
    if (stored.startsWith(StreamMagic)) {
        return unwrapStream(stored);
    }
    if (stored.startsWith(OleMagic)) {
        return unwrapPackage(stored);
    }
    return stored;
}

bool isReadablePicture(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return !reader.read().isNull();
}
