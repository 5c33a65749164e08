#pragma once

#include <QString>
#include <utility>

// What every call of data/ that can fail returns: success, or the reason as a
// German message that names the file and says what to do. It is returned
// with the call and never kept anywhere to be read later.
struct [[nodiscard]] Result
{
    bool ok = true;
    QString error;
    // The call found its record deleted or changed by another program.
    bool fileChanged = false;
    // On success, what the user should still be told once (in German).
    QString notice;

    explicit operator bool() const { return ok; }

    static Result success() { return {}; }
    static Result failure(QString message, bool fileChanged = false)
    {
        return {false, std::move(message), fileChanged, {}};
    }
};

// A result that carries a value on success.
template <typename T> struct [[nodiscard]] ResultOf : Result
{
    T value{};

    ResultOf() = default;
    ResultOf(T v) : value(std::move(v)) {}
    ResultOf(Result r) : Result(std::move(r)) {}

    // The value, as std::expected gives it; only read it after success.
    T* operator->() { return &value; }
    const T* operator->() const { return &value; }
};
