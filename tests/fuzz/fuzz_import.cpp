// The reader of "listemot.txt": any bytes give a text or nothing, any text a
// list of at most the limit, never a crash.
#include "editor/ImportList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    constexpr int Limit = 400;
    const auto text = decodeImportText(bytes);
    if (text && parseImportItems(*text, Limit).size() > Limit) {
        std::abort();
    }
    return 0;
}
