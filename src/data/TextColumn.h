#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The texts of one field for every record of a table, in little memory.
// While a field holds few distinct texts (articles, categories, themes,
// marks) each is kept once and every row holds its number; past that (the
// words) the texts are packed into one string.
class TextColumn
{
public:
    // A null `text` is a field without a value.
    void append(const QString& text);
    // The same for a text read as UTF-8 (a null view: no value). Reading a
    // table goes this way: most texts are found by their bytes and never
    // become a QString of their own.
    void appendUtf8(QByteArrayView utf8);
    QVariant at(size_t row) const;
    void set(size_t row, const QVariant& value);
    // Gives every row the same value.
    void fill(const QVariant& value);
    void erase(size_t row);
    // Keeps the first `rows` rows only.
    void truncate(size_t rows);
    // foldedHash() of every row's text, made at the first call and kept up
    // to date after it.
    const std::vector<quint32>& foldedHashes();

private:
    static constexpr qsizetype MaxDistinct = 1024;
    static constexpr quint16 NullCode = 0xFFFF;

    size_t rowCount() const { return m_packed ? m_ends.size() : m_codes.size(); }
    bool isNull(size_t row) const;
    QStringView view(size_t row) const;
    // The number of `text`, given one if there is room; false when there is none.
    bool codeOf(const QString& text, quint16& code);
    // Moves from numbered to packed texts.
    void pack();
    void packedAppend(QStringView text, bool null);
    void packedAppendUtf8(QByteArrayView utf8);
    void packedSet(size_t row, const QString& text, bool null);
    qsizetype start(size_t row) const { return row == 0 ? 0 : m_ends[row - 1]; }

    bool m_packed = false;
    // Numbered texts: m_distinct[m_codes[row]].
    QStringList m_distinct;
    QHash<QString, quint16> m_codeOf;
    // The same numbers by the texts' UTF-8 bytes, for those appended so.
    struct BytesHash
    {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const
        {
            return std::hash<std::string_view>{}(bytes);
        }
    };
    std::unordered_map<std::string, quint16, BytesHash, std::equal_to<>> m_codeOfUtf8;
    std::vector<quint16> m_codes;
    // Packed texts: row r is m_chars[m_ends[r - 1], m_ends[r]).
    QString m_chars;
    std::vector<quint32> m_ends;
    std::vector<bool> m_null;

    bool m_hashed = false;
    std::vector<quint32> m_hashes;
};
