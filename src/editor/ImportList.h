#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The text of a word list file: UTF-8 or UTF-16 after their byte order
// mark, UTF-8 when the bytes are valid UTF-8, else Windows-1252. Nothing for
// bytes that are not text (control characters such as NUL, an invalid UTF-8
// or UTF-16 sequence after a byte order mark).
std::optional<QString> decodeImportText(const QByteArray& bytes);

// Reads the items of a word list: comma- and line-separated, blanks before
// an item skipped, double-quoted items keeping commas and blanks. Stops
// after `limit` items.
QStringList parseImportItems(const QString& text, int limit);

// Whether an item can be a word: not longer than any word, and on one line
// (an unclosed quote takes the rest of the file into one item).
bool isWordItem(const QString& item);

// A word list of 400 items takes a few KB; a larger file is not offered.
inline constexpr qint64 ImportFileMaxBytes = 4 * 1024 * 1024;
