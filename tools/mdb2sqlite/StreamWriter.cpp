#include "StreamWriter.h"

#include "Fail.h"

using ReaderProtocol::Exit;

StreamWriter::StreamWriter(std::FILE* out) : m_out(out)
{
}

void StreamWriter::header(const std::string* names, std::size_t count)
{
    put({ReaderProtocol::Magic, sizeof ReaderProtocol::Magic});
    const char version = static_cast<char>(ReaderProtocol::Version);
    put({&version, 1});
    putU32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        putU32(static_cast<std::uint32_t>(names[i].size()));
        put(names[i]);
    }
}

void StreamWriter::beginRecord()
{
    put({&ReaderProtocol::RecordTag, 1});
}

void StreamWriter::null()
{
    put({&ReaderProtocol::NullTag, 1});
}

void StreamWriter::text(std::string_view utf8)
{
    tagged(ReaderProtocol::TextTag, utf8);
}

void StreamWriter::bytes(std::string_view data)
{
    tagged(ReaderProtocol::BytesTag, data);
}

void StreamWriter::end(std::uint32_t records)
{
    put({&ReaderProtocol::EndTag, 1});
    putU32(records);
    if (std::fflush(m_out) != 0) {
        fail(Exit::WriteFailed, "cannot write the output");
    }
}

void StreamWriter::tagged(char tag, std::string_view data)
{
    if (data.size() > ReaderProtocol::MaxValueBytes) {
        fail(Exit::TooLarge, "a value exceeds the size limit");
    }
    put({&tag, 1});
    putU32(static_cast<std::uint32_t>(data.size()));
    put(data);
}

void StreamWriter::put(std::string_view data)
{
    m_written += data.size();
    if (m_written > ReaderProtocol::MaxStreamBytes) {
        fail(Exit::TooLarge, "the table exceeds the size limit");
    }
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), m_out) != data.size()) {
        fail(Exit::WriteFailed, "cannot write the output");
    }
}

void StreamWriter::putU32(std::uint32_t value)
{
    const char le[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                        static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    put({le, 4});
}
