#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace {

// Windows-1252 for 0x80..0x9F; 0 where the byte is unassigned.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char16_t c)
{
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string latin1ToCp1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        if (lead == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<std::uint8_t>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F && HighControls[next - 0x80] != 0) {
                appendUtf8(out, HighControls[next - 0x80]);
                ++i;
                continue;
            }
        }
        out += utf8[i];
    }
    return out;
}
