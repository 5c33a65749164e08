#pragma once

#include <memory>
#include <string>
#include <vector>

// glib first: mdbtools.h relies on it in C++.
#include <glib.h>
#include <mdbtools.h>

class StreamWriter;

// One table of an Access file, read record by record with libmdb and
// written as a stream. Every problem ends the process (see Fail.h).
class TableReader
{
public:
    TableReader(const char* path, const char* tableName);
    ~TableReader();
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    void copyTo(StreamWriter& out);

private:
    MdbColumn* column(unsigned int index) const;
    std::vector<bool> nullFlags() const;
    void writeValue(StreamWriter& out, unsigned int index, bool isNull);
    std::string text(const char* utf8) const;
    std::string longValue(MdbColumn* col);
    std::string memoText(MdbColumn* col);

    MdbHandle* m_mdb = nullptr;
    MdbTableDef* m_table = nullptr;
    bool m_jet3 = false;
    std::vector<std::unique_ptr<char[]>> m_bound;
    std::vector<int> m_boundLength;
};
