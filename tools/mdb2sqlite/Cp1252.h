#pragma once

#include <string>

// libmdb is told to read Jet 3 text as ISO-8859-1, which keeps every byte:
// each byte b arrives as code point U+00b. Windows-1252 differs from
// ISO-8859-1 only in 0x80..0x9F; this maps those code points to the
// Windows-1252 characters (the five unassigned bytes stay as they are).
std::string latin1ToCp1252(const std::string& utf8);
