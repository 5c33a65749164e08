// The stream of the reader of old Access files: any bytes are accepted or
// refused, never a crash; an accepted stream, written again, gives the same bytes.
#include "StreamWriter.h"
#include "convert/LegacyReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

QByteArray writeAgain(const LegacyTable& table)
{
    char* buffer = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&buffer, &length);
    {
        StreamWriter writer(out);
        std::vector<std::string> names;
        for (const QString& name : table.fields) {
            names.push_back(name.toStdString());
        }
        writer.header(names.data(), names.size());
        for (const QVariantList& record : table.records) {
            writer.beginRecord();
            for (const QVariant& value : record) {
                if (value.isNull()) {
                    writer.null();
                } else if (value.typeId() == QMetaType::QByteArray) {
                    writer.bytes(value.toByteArray().toStdString());
                } else {
                    writer.text(value.toString().toStdString());
                }
            }
        }
        writer.end(static_cast<std::uint32_t>(table.records.size()));
    }
    std::fclose(out);
    const QByteArray bytes(buffer, static_cast<qsizetype>(length));
    std::free(buffer);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray stream(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LegacyTable table;
    if (parseReaderStream(stream, &table) && writeAgain(table) != stream) {
        std::abort();
    }
    return 0;
}
