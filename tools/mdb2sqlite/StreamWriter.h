#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Writes the reader's stream (see ReaderProtocol.h) and keeps it within
// ReaderProtocol::MaxStreamBytes.
class StreamWriter
{
public:
    explicit StreamWriter(std::FILE* out);

    void header(const std::string* names, std::size_t count);
    void beginRecord();
    void null();
    void text(std::string_view utf8);
    void bytes(std::string_view data);
    void end(std::uint32_t records);

private:
    void tagged(char tag, std::string_view data);
    void put(std::string_view data);
    void putU32(std::uint32_t value);

    std::FILE* m_out;
    std::uint64_t m_written = 0;
};
