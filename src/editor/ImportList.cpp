#include "editor/ImportList.h"

#include "data/Word.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QStringView>
#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Control characters that no text file holds; tab, line and page breaks are text.
bool isBinary(QChar c)
{
    return c.unicode() < 0x20 && !QStringView(u"\t\n\f\r").contains(c);
}

} // namespace

std::optional<QString> decodeImportText(const QByteArray& bytes)
{
    // UTF-8 without a byte order mark is told from Windows-1252 by its
    // validity: Windows-1252 text with umlauts is almost never valid UTF-8.
    std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes);
    const bool marked = encoding.has_value();
    if (!marked) {
        encoding = QStringConverter::Utf8;
    }
    QStringDecoder decoder(*encoding);
    QString text = decoder.decode(bytes);
    if (!marked && decoder.hasError()) {
        text = QStringDecoder("windows-1252").decode(bytes);
    } else if (decoder.hasError()) {
        return std::nullopt;
    }
    if (std::any_of(text.cbegin(), text.cend(), isBinary)) {
        return std::nullopt;
    }
    return text;
}

QStringList parseImportItems(const QString& text, int limit)
{
    const qsizetype size = text.size();
    QStringList items;
    qsizetype pos = 0;
    // After a comma another item always follows, even at the very end.
    bool itemDue = false;
    while ((pos < size || itemDue) && items.size() < limit) {
        while (pos < size && isBlank(text.at(pos))) {
            ++pos;
        }
        QString item;
        if (pos < size && text.at(pos) == u'"') {
            const qsizetype close = text.indexOf(u'"', pos + 1);
            const qsizetype end = close < 0 ? size : close;
            item = text.mid(pos + 1, end - pos - 1);
            pos = close < 0 ? size : close + 1;
            // Anything between the closing quote and the separator is dropped.
            while (pos < size && text.at(pos) != u',' && !isLineEnd(text.at(pos))) {
                ++pos;
            }
        } else {
            const qsizetype start = pos;
            while (pos < size && text.at(pos) != u',' && !isLineEnd(text.at(pos))) {
                ++pos;
            }
            item = text.mid(start, pos - start);
            while (!item.isEmpty() && isBlank(item.back())) {
                item.chop(1);
            }
        }
        items.append(item);
        itemDue = false;
        if (pos < size && text.at(pos) == u',') {
            ++pos;
            itemDue = true;
        } else if (pos < size && text.at(pos) == u'\r') {
            pos += (pos + 1 < size && text.at(pos + 1) == u'\n') ? 2 : 1;
        } else if (pos < size) {
            ++pos; // a lone line feed
        }
    }
    return items;
}

bool isWordItem(const QString& item)
{
    return item.size() <= WordMaximumLength &&
           std::none_of(item.cbegin(), item.cend(), [](QChar c) { return isLineEnd(c); });
}
