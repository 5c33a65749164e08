#pragma once

#include <QByteArrayView>

// Bounds-checked reading of little-endian data. After the first read past
// the end every further read gives nothing and ok() stays false, so a parser
// can read a whole structure and check once.
class ByteCursor
{
public:
    explicit ByteCursor(QByteArrayView data) : m_data(data) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_data.size(); }

    QByteArrayView take(qint64 count)
    {
        if (!m_ok || count < 0 || count > m_data.size() - m_pos) {
            m_ok = false;
            return {};
        }
        const QByteArrayView part = m_data.sliced(m_pos, count);
        m_pos += count;
        return part;
    }

    quint8 u8() { return static_cast<quint8>(number(1)); }
    quint16 u16() { return static_cast<quint16>(number(2)); }
    quint32 u32() { return number(4); }

    // A 32-bit length, then that many bytes.
    QByteArrayView lengthPrefixed() { return take(u32()); }

    // Skips a text up to and including its terminating zero byte.
    void skipCString()
    {
        const qsizetype end = m_ok ? m_data.indexOf('\0', m_pos) : -1;
        if (end < 0) {
            m_ok = false;
            return;
        }
        m_pos = end + 1;
    }

private:
    quint32 number(int bytes)
    {
        const QByteArrayView raw = take(bytes);
        quint32 value = 0;
        for (qsizetype i = raw.size() - 1; i >= 0; --i) {
            value = value << 8 | static_cast<quint8>(raw[i]);
        }
        return value;
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};
