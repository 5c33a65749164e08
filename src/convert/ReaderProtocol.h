#pragma once

#include <cstdint>

// The stream that lexa-mdb-reader writes on stdout for one table of an
// Access file, and the limits both sides keep. All integers are 32-bit
// little-endian.
//
//   "LXMR" version:u8
//   fieldCount:u32, then per field  nameLength:u32 name (UTF-8)
//   per record  'R', then per field one value:
//       'N'                      no value
//       'T' length:u32 bytes     text, UTF-8
//       'B' length:u32 bytes     binary (long binary, binary)
//   'E' recordCount:u32
//
// Anything else, or a stream that ends before 'E', is damaged.
namespace ReaderProtocol {

inline constexpr char Magic[4] = {'L', 'X', 'M', 'R'};
inline constexpr std::uint8_t Version = 1;

inline constexpr char RecordTag = 'R';
inline constexpr char EndTag = 'E';
inline constexpr char NullTag = 'N';
inline constexpr char TextTag = 'T';
inline constexpr char BytesTag = 'B';

// Largest single value (a long-binary icon or a memo text).
inline constexpr std::uint32_t MaxValueBytes = 16u << 20;
// Largest whole stream for one table.
inline constexpr std::uint64_t MaxStreamBytes = 256ull << 20;

// Exit codes of the reader; the converter turns them into messages.
enum class Exit : int
{
    Ok = 0,
    Usage = 1,
    NotReadable = 2, // not an Access file libmdb can open
    NoTable = 3,     // the table is missing
    Damaged = 4,     // inconsistent pages, records or long values
    TooLarge = 5,    // a value or the whole stream beyond the limits
    WriteFailed = 6, // stdout closed or full
};

} // namespace ReaderProtocol
