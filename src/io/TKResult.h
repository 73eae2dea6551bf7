#pragma once

#include <string>
#include <utility>
#include <variant>

// Why an operation failed, in words for the log.
struct TKError {
    std::string message;
};

// A value, or the error that kept it from being made.
template <typename T>
class TKResult {
public:
    TKResult(T value) : m_state(std::move(value)) {} // NOLINT(google-explicit-constructor): `return value;`
    TKResult(TKError error) : m_state(std::move(error)) {} // NOLINT(google-explicit-constructor): `return TKError{…};`

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T &value() const { return std::get<T>(m_state); }
    T &value() { return std::get<T>(m_state); }
    const T *operator->() const { return &value(); }
    const T &operator*() const { return value(); }

    // Only when !ok().
    const std::string &error() const { return std::get<TKError>(m_state).message; }

private:
    std::variant<T, TKError> m_state;
};
