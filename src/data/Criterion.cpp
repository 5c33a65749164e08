#include "data/Criterion.h"

namespace {

QChar foldChar(QChar c)
{
    return c.toCaseFolded();
}

void skipBlanks(const QString& text, qsizetype& pos)
{
    while (pos < text.size() && text.at(pos).isSpace()) {
        ++pos;
    }
}

bool setError(QString& error, const QString& message)
{
    error = message;
    return false;
}

// A field name: bare letters, digits and underscores, or anything between
// square brackets.
bool parseField(const QString& text, qsizetype& pos, QString& field, QString& error)
{
    if (pos < text.size() && text.at(pos) == QLatin1Char('[')) {
        const qsizetype close = text.indexOf(QLatin1Char(']'), pos + 1);
        if (close < 0) {
            return setError(error, QStringLiteral("Feldname ohne schließende Klammer"));
        }
        field = text.mid(pos + 1, close - pos - 1);
        pos = close + 1;
    } else {
        const qsizetype start = pos;
        while (pos < text.size() && (text.at(pos).isLetterOrNumber() || text.at(pos) == u'_')) {
            ++pos;
        }
        field = text.mid(start, pos - start);
    }
    if (field.isEmpty()) {
        return setError(error, QStringLiteral("Feldname fehlt"));
    }
    return true;
}

// A text value between apostrophes; two apostrophes stand for one.
bool parseValue(const QString& text, qsizetype& pos, QString& value, QString& error)
{
    if (pos >= text.size() || text.at(pos) != QLatin1Char('\'')) {
        return setError(error, QStringLiteral("Wert ohne Hochkomma"));
    }
    ++pos;
    value.clear();
    while (pos < text.size()) {
        const QChar c = text.at(pos++);
        if (c != QLatin1Char('\'')) {
            value.append(c);
        } else if (pos < text.size() && text.at(pos) == QLatin1Char('\'')) {
            value.append(c);
            ++pos;
        } else {
            return true;
        }
    }
    return setError(error, QStringLiteral("Wert ohne schließendes Hochkomma"));
}

} // namespace

QString foldCase(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        c = foldChar(c);
    }
    return folded;
}

quint32 foldedHash(QStringView text)
{
    // FNV-1a over the folded UTF-16 units.
    quint32 hash = 2166136261U;
    for (const QChar c : text) {
        hash = (hash ^ foldChar(c).unicode()) * 16777619U;
    }
    return hash;
}

ResultOf<LikePattern> LikePattern::compile(const QString& pattern)
{
    LikePattern compiled;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        Token token;
        if (c == u'*') {
            if (!compiled.m_tokens.isEmpty() &&
                compiled.m_tokens.last().kind == Token::Kind::AnyRun) {
                continue;
            }
            token.kind = Token::Kind::AnyRun;
        } else if (c == u'?') {
            token.kind = Token::Kind::AnyOne;
        } else if (c == u'#') {
            token.kind = Token::Kind::Digit;
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                return Result::failure(
                    QStringLiteral("Muster mit offener Klammer: %1").arg(pattern));
            }
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty()) {
                continue; // [] stands for nothing
            }
            token.kind = Token::Kind::Set;
            if (list.size() > 1 && list.front() == u'!') {
                token.negated = true;
                list.remove(0, 1);
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                const QChar from = foldChar(list.at(k));
                if (k + 2 < list.size() && list.at(k + 1) == u'-') {
                    token.ranges.append({from, foldChar(list.at(k + 2))});
                    k += 2;
                } else {
                    token.ranges.append({from, from});
                }
            }
        } else {
            token.ch = foldChar(c);
        }
        compiled.m_tokens.append(token);
    }
    return compiled;
}

bool LikePattern::matchesOne(const Token& token, QChar c)
{
    switch (token.kind) {
    case Token::Kind::Literal:
        return token.ch == c;
    case Token::Kind::AnyOne:
        return true;
    case Token::Kind::Digit:
        return c >= u'0' && c <= u'9';
    case Token::Kind::Set: {
        bool inList = false;
        for (const auto& [from, to] : token.ranges) {
            inList = inList || (c >= from && c <= to);
        }
        return inList != token.negated;
    }
    case Token::Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::matches(const QString& text) const
{
    const QString folded = foldCase(text);
    // Wildcard matching with one backtrack point per star: linear in practice,
    // never exponential.
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starToken = -1;
    qsizetype starText = 0;
    while (t < folded.size()) {
        if (p < m_tokens.size() && m_tokens.at(p).kind == Token::Kind::AnyRun) {
            starToken = p++;
            starText = t;
        } else if (p < m_tokens.size() && matchesOne(m_tokens.at(p), folded.at(t))) {
            ++p;
            ++t;
        } else if (starToken >= 0) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m_tokens.size() && m_tokens.at(p).kind == Token::Kind::AnyRun) {
        ++p;
    }
    return p == m_tokens.size();
}

ResultOf<Criterion> Criterion::parse(const QString& text)
{
    QString reason;
    Criterion criterion;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    if (!parseField(text, pos, criterion.m_field, reason)) {
        return Result::failure(reason);
    }
    skipBlanks(text, pos);
    if (text.mid(pos, 1) == QLatin1String("=")) {
        criterion.m_op = Op::Equal;
        pos += 1;
    } else if (text.mid(pos, 4).compare(QLatin1String("like"), Qt::CaseInsensitive) == 0) {
        criterion.m_op = Op::Like;
        pos += 4;
    } else {
        return Result::failure(QStringLiteral("Vergleich fehlt in: %1").arg(text));
    }
    skipBlanks(text, pos);
    if (!parseValue(text, pos, criterion.m_value, reason)) {
        return Result::failure(reason);
    }
    skipBlanks(text, pos);
    if (pos != text.size()) {
        return Result::failure(
            QStringLiteral("Unerwarteter Text nach dem Wert: %1").arg(text.mid(pos)));
    }
    if (criterion.m_op == Op::Like) {
        auto pattern = LikePattern::compile(criterion.m_value);
        if (!pattern) {
            return static_cast<const Result&>(pattern);
        }
        criterion.m_pattern = std::move(pattern.value);
    } else {
        criterion.m_foldedValue = foldCase(criterion.m_value);
    }
    return criterion;
}

bool Criterion::matches(const QVariant& fieldValue) const
{
    if (fieldValue.isNull()) {
        return false;
    }
    const QString text = fieldValue.toString();
    if (m_op == Op::Like) {
        return m_pattern->matches(text);
    }
    return foldCase(text) == m_foldedValue;
}
