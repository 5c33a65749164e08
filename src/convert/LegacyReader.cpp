#include "LegacyReader.h"

#include "ByteCursor.h"
#include "ReaderProtocol.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringDecoder>
#include <sys/resource.h>

namespace {

using ReaderProtocol::Exit;

bool decodeUtf8(QByteArrayView bytes, QString* text)
{
    // Stateless: a sequence cut at the end is an error, not a pending state.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool readValue(ByteCursor& cursor, QVariant* value)
{
    const char tag = static_cast<char>(cursor.u8());
    if (tag == ReaderProtocol::NullTag) {
        *value = QVariant();
        return cursor.ok();
    }
    const QByteArrayView bytes = cursor.lengthPrefixed();
    if (!cursor.ok()) {
        return false;
    }
    if (tag == ReaderProtocol::BytesTag) {
        *value = bytes.toByteArray();
        return true;
    }
    QString text;
    if (tag != ReaderProtocol::TextTag || !decodeUtf8(bytes, &text)) {
        return false;
    }
    *value = text;
    return true;
}

bool readRecord(ByteCursor& cursor, qsizetype fieldCount, QVariantList* record)
{
    record->resize(fieldCount);
    for (QVariant& value : *record) {
        if (!readValue(cursor, &value)) {
            return false;
        }
    }
    return true;
}

void limitChild(qint64 memory, rlim_t cpuSeconds)
{
    const rlimit address{static_cast<rlim_t>(memory), static_cast<rlim_t>(memory)};
    setrlimit(RLIMIT_AS, &address);
    const rlimit cpu{cpuSeconds, cpuSeconds};
    setrlimit(RLIMIT_CPU, &cpu);
    const rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
}

QString exitReason(int code, const QString& table)
{
    switch (static_cast<Exit>(code)) {
    case Exit::NotReadable:
        return QStringLiteral("Sie ist keine lesbare Access-Datenbank.");
    case Exit::NoTable:
        return QStringLiteral("Die Tabelle „%1“ fehlt darin.").arg(table);
    case Exit::Damaged:
        return QStringLiteral("Sie ist beschädigt.");
    case Exit::TooLarge:
        return QStringLiteral("Sie enthält einen Wert, der zu groß ist.");
    default:
        return QStringLiteral("Das Lesen ist fehlgeschlagen (Fehler %1).").arg(code);
    }
}

} // namespace

bool parseReaderStream(const QByteArray& stream, LegacyTable* table)
{
    ByteCursor cursor(stream);
    if (cursor.take(sizeof ReaderProtocol::Magic) !=
            QByteArrayView(ReaderProtocol::Magic, sizeof ReaderProtocol::Magic) ||
        cursor.u8() != ReaderProtocol::Version) {
        return false;
    }
    *table = {};
    const quint32 fieldCount = cursor.u32();
    for (quint32 i = 0; i < fieldCount && cursor.ok(); ++i) {
        QString name;
        if (!decodeUtf8(cursor.lengthPrefixed(), &name)) {
            return false;
        }
        table->fields.append(name);
    }
    while (cursor.ok()) {
        const char tag = static_cast<char>(cursor.u8());
        if (tag == ReaderProtocol::EndTag) {
            const quint32 count = cursor.u32();
            return cursor.ok() && cursor.atEnd() && count == table->records.size();
        }
        QVariantList record;
        if (tag != ReaderProtocol::RecordTag ||
            !readRecord(cursor, table->fields.size(), &record)) {
            return false;
        }
        table->records.append(record);
    }
    return false;
}

LegacyReader::LegacyReader()
    : m_program(QCoreApplication::applicationDirPath() + QStringLiteral("/lexa-mdb-reader"))
{
}

bool LegacyReader::read(const QString& file, const QString& table, LegacyTable* result,
                        QString* error) const
{
    QProcess process;
    const qint64 memory = DefaultMemoryLimit;
    const auto cpuSeconds =
        static_cast<rlim_t>(std::chrono::ceil<std::chrono::seconds>(m_timeout).count() + 1);
    process.setChildProcessModifier([memory, cpuSeconds] { limitChild(memory, cpuSeconds); });
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(m_program, {file, table}, QIODevice::ReadOnly);
    if (!process.waitForStarted()) {
        *error = QStringLiteral("Das Leseprogramm „%1“ lässt sich nicht starten.").arg(m_program);
        return false;
    }
    if (!process.waitForFinished(static_cast<int>(m_timeout.count()))) {
        process.kill();
        process.waitForFinished();
        *error = QStringLiteral("Das Lesen dauerte länger als %1 Sekunden.")
                     .arg(std::chrono::ceil<std::chrono::seconds>(m_timeout).count());
        return false;
    }
    if (process.exitStatus() == QProcess::CrashExit) {
        *error = QStringLiteral("Das Lesen brach ab; sie ist wohl beschädigt.");
        return false;
    }
    if (process.exitCode() != 0) {
        *error = exitReason(process.exitCode(), table);
        return false;
    }
    if (!parseReaderStream(process.readAllStandardOutput(), result)) {
        *error = QStringLiteral("Die gelesenen Daten sind unvollständig.");
        return false;
    }
    return true;
}
