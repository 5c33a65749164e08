#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

// Reads the items of a word list file: comma- and line-separated, blanks
// before an item skipped, double-quoted items keeping commas and blanks,
// Windows-1252 text. Stops after `limit` items. Returns nothing for bytes
// that are not text (a NUL byte).
std::optional<QStringList> parseImportItems(const QByteArray& bytes, int limit);

// Larger files are not word lists: their import is not offered.
inline constexpr qint64 ImportFileMaxBytes = 4 * 1024 * 1024;
