#pragma once

#include "data/Result.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>
#include <utility>

// The pattern language of `like`: * any run, ? any one character, # one
// digit, [abc] / [a-z] / [!a-z] one character of (or not of) a list.
// Matching ignores letter case, umlauts included.
class LikePattern
{
public:
    // A malformed pattern (an unclosed bracket) fails with the reason.
    static ResultOf<LikePattern> compile(const QString& pattern);
    bool matches(const QString& text) const;

private:
    struct Token
    {
        enum class Kind
        {
            Literal,
            AnyRun,
            AnyOne,
            Digit,
            Set
        };
        Kind kind = Kind::Literal;
        QChar ch;                              // Literal, folded
        QList<std::pair<QChar, QChar>> ranges; // Set, folded
        bool negated = false;                  // Set
    };

    static bool matchesOne(const Token& token, QChar c);

    QList<Token> m_tokens;
};

// A filter text handed to the record set's finds, such as mot='l''eau',
// mot like'ab*', theme like'*Tiere*' or [mot marque]='O'. It is parsed, never
// passed to SQL: a malformed criterion is a failure value, not a crash.
class Criterion
{
public:
    enum class Op
    {
        Equal,
        Like
    };

    // Parses `text`; a malformed one fails with the reason.
    static ResultOf<Criterion> parse(const QString& text);
    // Matches nothing but an empty text of a field without a name.
    Criterion() = default;

    const QString& field() const { return m_field; }
    Op op() const { return m_op; }
    const QString& value() const { return m_value; }

    // Letter case never counts; a field without a value matches nothing.
    bool matches(const QVariant& fieldValue) const;

private:
    QString m_field;
    Op m_op = Op::Equal;
    QString m_value;
    QString m_foldedValue;
    std::optional<LikePattern> m_pattern;
};

// Case folding shared by `=` and `like`: Ü matches ü.
QString foldCase(const QString& text);
// A hash of foldCase(text), without building it: texts that `=` finds equal
// hash equal, so an exact find compares texts only where the hashes agree.
quint32 foldedHash(QStringView text);
