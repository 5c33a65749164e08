#include "TableReader.h"

#include "Cp1252.h"
#include "Fail.h"
#include "StreamWriter.h"

#include <cstdint>
#include <cstring>
#include <sys/stat.h>

using ReaderProtocol::Exit;

namespace {

// Text columns hold at most 255 characters and long values arrive one page
// at a time, so this is ample for every bound value.
constexpr std::size_t BindSize = 16384;
constexpr int OffsetMask = 0x1fff;
constexpr std::uint32_t LengthMask = 0x3fffffff;
constexpr const char* DateFormat = "%Y-%m-%d %H:%M:%S";

std::uint32_t le32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

MdbCatalogEntry* findTable(MdbHandle* mdb, const char* name)
{
    const GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
    if (!catalog) {
        fail(Exit::Damaged, "cannot read the catalogue");
    }
    for (guint i = 0; i < catalog->len; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
        if (entry->object_type == MDB_TABLE && g_ascii_strcasecmp(entry->object_name, name) == 0) {
            return entry;
        }
    }
    fail(Exit::NoTable, std::string("no table ") + name);
}

} // namespace

TableReader::TableReader(const char* path, const char* tableName)
{
    m_mdb = mdb_open(path, MDB_NOFLAGS);
    if (!m_mdb) {
        fail(Exit::NotReadable, "not an Access database");
    }
    // An Access file is a whole number of pages; anything else was cut short.
    struct stat info
    {
    };
    if (stat(path, &info) != 0 || info.st_size % m_mdb->fmt->pg_size != 0) {
        fail(Exit::Damaged, "file size is not a whole number of pages");
    }
    m_jet3 = IS_JET3(m_mdb);
    mdb_set_bind_size(m_mdb, BindSize);
    mdb_set_date_fmt(m_mdb, DateFormat);
    mdb_set_shortdate_fmt(m_mdb, DateFormat);
    mdb_set_boolean_fmt_numbers(m_mdb);

    m_table = mdb_read_table(findTable(m_mdb, tableName));
    if (!m_table || !mdb_read_columns(m_table)) {
        fail(Exit::Damaged, "cannot read the table definition");
    }
    m_bound.resize(m_table->num_cols);
    m_boundLength.resize(m_table->num_cols);
    for (unsigned int i = 0; i < m_table->num_cols; ++i) {
        m_bound[i] = std::make_unique<char[]>(BindSize);
        mdb_bind_column(m_table, static_cast<int>(i) + 1, m_bound[i].get(), &m_boundLength[i]);
    }
}

TableReader::~TableReader()
{
    if (m_table) {
        mdb_free_tabledef(m_table);
    }
    mdb_close(m_mdb);
}

void TableReader::copyTo(StreamWriter& out)
{
    std::vector<std::string> names;
    for (unsigned int i = 0; i < m_table->num_cols; ++i) {
        names.push_back(text(column(i)->name));
    }
    out.header(names.data(), names.size());

    mdb_rewind_table(m_table);
    std::uint32_t records = 0;
    while (mdb_fetch_row(m_table)) {
        const std::vector<bool> nulls = nullFlags();
        out.beginRecord();
        for (unsigned int i = 0; i < m_table->num_cols; ++i) {
            writeValue(out, i, nulls[i]);
        }
        ++records;
    }
    // Pages that cannot be read or records that do not parse are skipped by
    // libmdb; the count kept in the table definition reveals them.
    if (records != m_table->num_rows) {
        fail(Exit::Damaged, "read " + std::to_string(records) + " of " +
                                std::to_string(m_table->num_rows) + " records");
    }
    out.end(records);
}

MdbColumn* TableReader::column(unsigned int index) const
{
    return static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, index));
}

// The bound values do not tell an empty text from a missing one; the null
// mask of the record does.
std::vector<bool> TableReader::nullFlags() const
{
    int start = 0;
    std::size_t size = 0;
    if (mdb_find_row(m_mdb, static_cast<int>(m_table->cur_row) - 1, &start, &size) != 0) {
        fail(Exit::Damaged, "record out of place");
    }
    std::vector<MdbField> fields(m_table->num_cols);
    if (mdb_crack_row(m_table, start & OffsetMask, size, fields.data()) < 0) {
        fail(Exit::Damaged, "record cannot be parsed");
    }
    std::vector<bool> nulls(m_table->num_cols, false);
    for (const MdbField& field : fields) {
        if (field.colnum >= 0 && static_cast<unsigned int>(field.colnum) < nulls.size()) {
            nulls[field.colnum] = field.is_null;
        }
    }
    return nulls;
}

void TableReader::writeValue(StreamWriter& out, unsigned int index, bool isNull)
{
    MdbColumn* col = column(index);
    // A yes/no field keeps its value in the null mask and always has one.
    if (isNull && col->col_type != MDB_BOOL) {
        out.null();
        return;
    }
    switch (col->col_type) {
    case MDB_OLE:
        out.bytes(longValue(col));
        break;
    case MDB_MEMO:
        out.text(memoText(col));
        break;
    case MDB_BINARY:
        out.bytes({reinterpret_cast<const char*>(m_mdb->pg_buf) + col->cur_value_start,
                   static_cast<std::size_t>(col->cur_value_len)});
        break;
    default:
        out.text(text(m_bound[index].get()));
        break;
    }
}

std::string TableReader::text(const char* utf8) const
{
    return m_jet3 ? latin1ToCp1252(utf8) : std::string(utf8);
}

// Reads a long value page by page with a cap of our own; the page chain
// must deliver exactly the length its header declares.
std::string TableReader::longValue(MdbColumn* col)
{
    if (col->cur_value_len == 0) {
        return {};
    }
    if (col->cur_value_len < MDB_MEMO_OVERHEAD) {
        fail(Exit::Damaged, "long value header cut short");
    }
    unsigned char header[MDB_MEMO_OVERHEAD];
    std::memcpy(header, m_mdb->pg_buf + col->cur_value_start, sizeof header);
    const std::uint32_t declared = le32(header) & LengthMask;
    if (declared > ReaderProtocol::MaxValueBytes) {
        fail(Exit::TooLarge, "long value of " + std::to_string(declared) + " bytes");
    }

    std::string value;
    const auto* chunk = reinterpret_cast<const char*>(col->bind_ptr);
    std::size_t length = mdb_ole_read(m_mdb, col, header, BindSize);
    while (length > 0) {
        if (value.size() + length > declared) {
            fail(Exit::Damaged, "long value longer than declared");
        }
        value.append(chunk, length);
        length = value.size() < declared ? mdb_ole_read_next(m_mdb, col, header) : 0;
    }
    if (value.size() != declared) {
        fail(Exit::Damaged, "long value shorter than declared");
    }
    return value;
}

std::string TableReader::memoText(MdbColumn* col)
{
    const std::string raw = longValue(col);
    // UCS-2 (or compressed Unicode) to UTF-8 needs at most three bytes each.
    std::string utf8(raw.size() * 3 + 1, '\0');
    const int length = mdb_unicode2ascii(m_mdb, raw.data(), raw.size(), utf8.data(), utf8.size());
    utf8.resize(static_cast<std::size_t>(length));
    return text(utf8.c_str());
}
