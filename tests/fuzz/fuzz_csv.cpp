// The reader of exchange files: any bytes give records or a message naming
// a line, never a crash; records read, written again and read back are the
// same; the row checks take whatever table the reader gives.
#include "data/Csv.h"
#include "data/Exchange.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto parsed = Csv::parse(bytes);
    if (!parsed) {
        if (!parsed.error.startsWith(QStringLiteral("Zeile "))) {
            std::abort();
        }
    } else {
        QByteArray written;
        for (const Csv::Record& record : parsed.value) {
            written += Csv::record(record.fields);
        }
        const auto again = Csv::parse(written);
        if (!again || again.value.size() != parsed.value.size()) {
            std::abort();
        }
        for (qsizetype i = 0; i < again.value.size(); ++i) {
            if (again.value[i].fields != parsed.value[i].fields) {
                std::abort();
            }
        }
    }
    const auto read = Exchange::readTable(
        bytes, [](const QString&) -> ResultOf<QByteArray> { return QByteArray("Bild"); });
    if (read && read.value.rows.size() + static_cast<size_t>(read.value.problems.size()) >
                    static_cast<size_t>(parsed.value.size())) {
        std::abort();
    }
    return 0;
}
