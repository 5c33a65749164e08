// Criteria and like patterns: any text parses or fails, never a crash; a
// search text stays a value of the criterion the search window builds from it.
#include "data/Criterion.h"

#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool fact)
{
    if (!fact) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const auto criterion = Criterion::parse(text)) {
        criterion.value.matches(text);
        criterion.value.matches(criterion.value.value());
    }

    // The search window wraps the typed text; whatever it holds, it can only
    // become the value of a `like` on mot.
    if (const auto search = Criterion::parse(QStringLiteral("mot like'*") + text + u'\'')) {
        check(search.value.field() == QLatin1String("mot") &&
              search.value.op() == Criterion::Op::Like);
    }

    const auto pattern = LikePattern::compile(text);
    if (pattern) {
        pattern.value.matches(text);
    }
    // A pattern without special characters is a plain text that matches itself.
    if (!text.contains(QRegularExpression(QStringLiteral("[*?#[]")))) {
        check(pattern && pattern.value.matches(text));
    }
    return 0;
}
