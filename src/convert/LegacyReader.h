#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>

// One table of an Access file: its field names and its records in table
// order. A value is a null QVariant (no value), a QString (text) or a
// QByteArray (binary).
struct LegacyTable
{
    QStringList fields;
    QList<QVariantList> records;
};

// Parses the stream of lexa-mdb-reader (ReaderProtocol.h). False for a
// stream that is malformed or incomplete in any way.
bool parseReaderStream(const QByteArray& stream, LegacyTable* table);

// Reads a table through lexa-mdb-reader, run as a separate process with
// limits on its memory and time, so that a damaged file can neither crash
// nor hang the caller.
class LegacyReader
{
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{60'000};
    static constexpr qint64 DefaultMemoryLimit = 512ll << 20;

    // The reader next to the application's executable.
    LegacyReader();

    void setProgram(const QString& program) { m_program = program; }
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    // False with the reason, in German, in `error`.
    bool read(const QString& file, const QString& table, LegacyTable* result, QString* error) const;

private:
    QString m_program;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
};
