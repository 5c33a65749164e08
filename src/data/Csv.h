#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 has them, in UTF-8: what spreadsheets
// and other programs exchange tables in. Pure functions over bytes.
namespace Csv {

// The byte order mark that makes spreadsheets read the file as UTF-8.
inline constexpr QByteArrayView Bom{"\xEF\xBB\xBF"};

// One record, its fields separated by commas and ended by CR LF. A field is
// quoted when it holds a separator (comma, semicolon, tab), a quote (then
// doubled), a line break, or blanks at either end.
QByteArray record(const QStringList& fields);

struct Record
{
    QStringList fields;
    // The line of the file where the record begins (1 for the first).
    int line = 0;
};

// Reads a whole file: UTF-8 with or without its byte order mark, records
// ended by CR LF, LF or CR, fields separated by the first comma, semicolon
// or tab of the first line (a spreadsheet saving with semicolons is read as
// well). Quoted fields keep separators, quotes and line breaks as they are;
// empty lines are skipped. A failure names the line: text that is not
// UTF-8, control characters, a quote left open or inside an unquoted field.
[[nodiscard]] ResultOf<QList<Record>> parse(const QByteArray& bytes);

} // namespace Csv
