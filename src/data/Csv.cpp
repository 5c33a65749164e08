#include "data/Csv.h"

#include <QStringDecoder>

namespace {

bool needsQuotes(const QString& field)
{
    for (const QChar c : field) {
        if (c == u',' || c == u';' || c == u'\t' || c == u'"' || c == u'\r' || c == u'\n') {
            return true;
        }
    }
    // Blanks at either end are kept only in quotes by some programs; a byte
    // order mark at the very start would be taken for the file's.
    return !field.isEmpty() &&
           (field.front().isSpace() || field.back().isSpace() || field.front() == QChar(0xFEFF));
}

Result failAt(int line, const QString& what)
{
    return Result::failure(QStringLiteral("Zeile %1: %2").arg(line).arg(what));
}

// The line of the first byte that is not UTF-8.
int firstBadLine(const QByteArray& bytes)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        static_cast<void>(QString(decoder(QByteArrayView(bytes).sliced(start, end - start))));
        if (decoder.hasError()) {
            return line;
        }
        ++line;
        start = end + 1;
    }
    return line;
}

// A control character that has no place in a text table (tab and line
// breaks have).
bool isControl(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t' && c != u'\r' && c != u'\n';
}

class Reader
{
public:
    Reader(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    ResultOf<QList<Csv::Record>> records()
    {
        QList<Csv::Record> records;
        while (m_pos < m_text.size()) {
            Csv::Record record;
            record.line = m_line;
            if (Result read = readRecord(&record.fields); !read) {
                return read;
            }
            if (record.fields.size() > 1 || !record.fields.front().isEmpty()) {
                records.append(std::move(record));
            }
        }
        return records;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return m_text.at(m_pos); }
    bool atLineEnd() const { return !atEnd() && (current() == u'\r' || current() == u'\n'); }

    void skipLineEnd()
    {
        if (current() == u'\r' && m_pos + 1 < m_text.size() && m_text.at(m_pos + 1) == u'\n') {
            ++m_pos;
        }
        ++m_pos;
        ++m_line;
    }

    Result readRecord(QStringList* fields)
    {
        while (true) {
            QString field;
            Result read = !atEnd() && current() == u'"' ? readQuoted(&field) : readPlain(&field);
            if (!read) {
                return read;
            }
            fields->append(field);
            if (atEnd()) {
                return Result::success();
            }
            if (atLineEnd()) {
                skipLineEnd();
                return Result::success();
            }
            ++m_pos; // the separator
        }
    }

    Result readPlain(QString* field)
    {
        const qsizetype start = m_pos;
        while (!atEnd() && current() != m_separator && !atLineEnd()) {
            if (current() == u'"') {
                return failAt(m_line,
                              QStringLiteral("ein Anführungszeichen mitten in einem Feld. Ein "
                                             "Feld mit Anführungszeichen muss ganz in "
                                             "Anführungszeichen stehen, die eigenen verdoppelt "
                                             "(\"\")."));
            }
            if (isControl(current())) {
                return failAt(m_line, QStringLiteral("ein Steuerzeichen: die Datei ist keine "
                                                     "CSV-Datei."));
            }
            ++m_pos;
        }
        *field = m_text.sliced(start, m_pos - start);
        return Result::success();
    }

    Result readQuoted(QString* field)
    {
        const int opened = m_line;
        ++m_pos;
        while (true) {
            if (atEnd()) {
                return failAt(opened, QStringLiteral("ein Anführungszeichen wird bis zum Ende "
                                                     "der Datei nicht geschlossen."));
            }
            const QChar c = current();
            ++m_pos;
            if (c == u'"') {
                if (!atEnd() && current() == u'"') {
                    field->append(u'"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (isControl(c)) {
                return failAt(m_line, QStringLiteral("ein Steuerzeichen: die Datei ist keine "
                                                     "CSV-Datei."));
            }
            // A line break inside the field counts its line; CR LF is one.
            if (c == u'\n' || (c == u'\r' && (atEnd() || current() != u'\n'))) {
                ++m_line;
            }
            field->append(c);
        }
        if (!atEnd() && current() != m_separator && !atLineEnd()) {
            return failAt(m_line, QStringLiteral("nach dem schließenden Anführungszeichen "
                                                 "eines Feldes folgt kein Trennzeichen."));
        }
        return Result::success();
    }

    const QString& m_text;
    const QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
};

// The separator of the first line: its first comma, semicolon or tab
// outside quotes; a comma when it has none.
QChar separatorOf(const QString& text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u',' || c == u';' || c == u'\t')) {
            return c;
        } else if (!quoted && (c == u'\r' || c == u'\n')) {
            break;
        }
    }
    return u',';
}

} // namespace

QByteArray Csv::record(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += u',';
        }
        const QString& field = fields.at(i);
        if (needsQuotes(field)) {
            line += u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
        } else {
            line += field;
        }
    }
    return line.toUtf8() + "\r\n";
}

ResultOf<QList<Csv::Record>> Csv::parse(const QByteArray& bytes)
{
    const QByteArrayView body =
        bytes.startsWith(Bom) ? QByteArrayView(bytes).sliced(Bom.size()) : QByteArrayView(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(body);
    if (decoder.hasError()) {
        return failAt(firstBadLine(bytes),
                      QStringLiteral("der Text ist nicht in UTF-8 geschrieben. Speichern Sie die "
                                     "Datei als CSV mit dem Zeichensatz „Unicode (UTF-8)“."));
    }
    return Reader(text, separatorOf(text)).records();
}
