#include "DatabaseKind.h"

#include <QFile>

namespace {

constexpr QByteArrayView SQLiteMagic{"SQLite format 3\0", 16};
// Jet 3 and Jet 4 files (".mdb") and their successor (".accdb").
constexpr QByteArrayView JetMagic{"\x00\x01\x00\x00Standard Jet DB\0", 20};
constexpr QByteArrayView AceMagic{"\x00\x01\x00\x00Standard ACE DB\0", 20};

} // namespace

DatabaseKind databaseKind(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return DatabaseKind::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return DatabaseKind::Unknown;
    }
    const QByteArray head = file.read(JetMagic.size());
    if (head.startsWith(SQLiteMagic)) {
        return DatabaseKind::SQLite;
    }
    if (head == JetMagic || head == AceMagic) {
        return DatabaseKind::Access;
    }
    return DatabaseKind::Unknown;
}
