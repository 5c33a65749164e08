#include "data/TextColumn.h"

#include "data/Criterion.h"

#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace {
// Offsets into a packed column are 32 bits: 4 G characters, far beyond any
// dictionary that fits into memory.
quint32 offset(qsizetype position)
{
    Q_ASSERT(position <= std::numeric_limits<quint32>::max());
    return static_cast<quint32>(position);
}

QString textOf(QByteArrayView utf8)
{
    if (utf8.isNull()) {
        return {};
    }
    // An empty text is still a value: it must not read as NULL.
    return utf8.isEmpty() ? QString(QLatin1String("")) : QString::fromUtf8(utf8);
}
} // namespace

bool TextColumn::isNull(size_t row) const
{
    return m_packed ? static_cast<bool>(m_null[row]) : m_codes[row] == NullCode;
}

QStringView TextColumn::view(size_t row) const
{
    if (!m_packed) {
        return m_codes[row] == NullCode ? QStringView() : QStringView(m_distinct.at(m_codes[row]));
    }
    return QStringView(m_chars).mid(start(row), m_ends[row] - start(row));
}

QVariant TextColumn::at(size_t row) const
{
    if (isNull(row)) {
        return {};
    }
    // A numbered text is shared, not copied.
    return m_packed ? view(row).toString() : m_distinct.at(m_codes[row]);
}

bool TextColumn::codeOf(const QString& text, quint16& code)
{
    if (text.isNull()) {
        code = NullCode;
        return true;
    }
    const auto found = m_codeOf.constFind(text);
    if (found != m_codeOf.cend()) {
        code = *found;
        return true;
    }
    if (m_distinct.size() >= MaxDistinct) {
        return false;
    }
    code = static_cast<quint16>(m_distinct.size());
    m_distinct.append(text);
    m_codeOf.insert(text, code);
    return true;
}

void TextColumn::pack()
{
    const std::vector<quint16> codes = std::move(m_codes);
    m_codes = {};
    m_packed = true;
    for (const quint16 code : codes) {
        packedAppend(code == NullCode ? QStringView() : QStringView(m_distinct.at(code)),
                     code == NullCode);
    }
    m_distinct.clear();
    m_codeOf.clear();
    m_codeOfUtf8.clear();
}

void TextColumn::packedAppend(QStringView text, bool null)
{
    m_null.push_back(null);
    m_chars.append(text);
    m_ends.push_back(offset(m_chars.size()));
}

void TextColumn::append(const QString& text)
{
    quint16 code = 0;
    if (!m_packed && !codeOf(text, code)) {
        pack();
    }
    if (m_packed) {
        packedAppend(text, text.isNull());
    } else {
        m_codes.push_back(code);
    }
    if (m_hashed) {
        m_hashes.push_back(foldedHash(text));
    }
}

void TextColumn::packedAppendUtf8(QByteArrayView utf8)
{
    // Decoded straight into the packed texts: UTF-16 needs at most one unit
    // per byte. Each text is decoded on its own, as QString::fromUtf8 does.
    const qsizetype used = m_chars.size();
    const qsizetype needed = used + utf8.size();
    if (m_chars.capacity() < needed) {
        m_chars.reserve(std::max(needed, 2 * m_chars.capacity()));
    }
    m_chars.resize(needed);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QChar* end = decoder.appendToBuffer(m_chars.data() + used, utf8);
    m_chars.truncate(end - m_chars.constData());
    m_null.push_back(utf8.isNull());
    m_ends.push_back(offset(m_chars.size()));
}

void TextColumn::appendUtf8(QByteArrayView utf8)
{
    if (m_hashed) {
        append(textOf(utf8));
        return;
    }
    if (!m_packed && utf8.isNull()) {
        m_codes.push_back(NullCode);
        return;
    }
    if (!m_packed) {
        const std::string_view bytes(utf8.data(), static_cast<size_t>(utf8.size()));
        const auto found = m_codeOfUtf8.find(bytes);
        if (found != m_codeOfUtf8.end()) {
            m_codes.push_back(found->second);
            return;
        }
        const QString text = textOf(utf8);
        quint16 code = 0;
        if (codeOf(text, code)) {
            m_codeOfUtf8.emplace(bytes, code);
            m_codes.push_back(code);
            return;
        }
        pack();
    }
    packedAppendUtf8(utf8);
}

void TextColumn::packedSet(size_t row, const QString& text, bool null)
{
    const qsizetype from = start(row);
    const qsizetype growth = text.size() - (m_ends[row] - from);
    m_chars.replace(from, m_ends[row] - from, text);
    for (size_t i = row; growth != 0 && i < m_ends.size(); ++i) {
        m_ends[i] = offset(m_ends[i] + growth);
    }
    m_null[row] = null;
}

void TextColumn::set(size_t row, const QVariant& value)
{
    const QString text = value.isNull() ? QString() : value.toString();
    quint16 code = 0;
    if (!m_packed && !codeOf(text, code)) {
        pack();
    }
    if (m_packed) {
        packedSet(row, text, value.isNull());
    } else {
        m_codes[row] = code;
    }
    if (m_hashed) {
        m_hashes[row] = foldedHash(text);
    }
}

void TextColumn::fill(const QVariant& value)
{
    const size_t rows = rowCount();
    *this = TextColumn();
    quint16 code = 0;
    codeOf(value.isNull() ? QString() : value.toString(), code);
    m_codes.assign(rows, code);
}

void TextColumn::erase(size_t row)
{
    const auto at = static_cast<qsizetype>(row);
    if (m_packed) {
        packedSet(row, QString(), true);
        m_ends.erase(m_ends.begin() + at);
        m_null.erase(m_null.begin() + at);
    } else {
        m_codes.erase(m_codes.begin() + at);
    }
    if (m_hashed) {
        m_hashes.erase(m_hashes.begin() + at);
    }
}

void TextColumn::truncate(size_t rows)
{
    if (m_packed) {
        m_chars.truncate(start(rows));
        m_ends.resize(rows);
        m_null.resize(rows);
    } else {
        m_codes.resize(rows);
    }
    if (m_hashed) {
        m_hashes.resize(rows);
    }
}

const std::vector<quint32>& TextColumn::foldedHashes()
{
    if (!m_hashed) {
        m_hashes.reserve(rowCount());
        for (size_t row = 0; row < rowCount(); ++row) {
            m_hashes.push_back(foldedHash(view(row)));
        }
        m_hashed = true;
    }
    return m_hashes;
}
