#pragma once

#include <concepts>
#include <string>
#include <utility>
#include <variant>

// Why an operation failed, in words for the log.
struct TKError {
    std::string message;
};

// A value, or the error that kept it from being made. The error is a TKError
// unless the operation has a richer one (a file error, a message to show).
template <typename T, typename E = TKError>
class TKResult {
public:
    // Success of an operation that makes no value (TKStatus): `return {};`.
    TKResult() requires std::same_as<T, std::monostate> : m_state(std::monostate{}) {}
    TKResult(T value) : m_state(std::move(value)) {} // NOLINT(google-explicit-constructor): `return value;`
    TKResult(E error) : m_state(std::move(error)) {} // NOLINT(google-explicit-constructor): `return TKError{…};`

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T &value() const { return std::get<T>(m_state); }
    T &value() { return std::get<T>(m_state); }
    const T *operator->() const { return &value(); }
    const T &operator*() const { return value(); }

    // Only when !ok().
    const E &failure() const { return std::get<E>(m_state); }
    const std::string &error() const requires std::same_as<E, TKError> { return failure().message; }

private:
    std::variant<T, E> m_state;
};

// Success, or why an operation that makes no value failed.
template <typename E = TKError>
using TKStatus = TKResult<std::monostate, E>;
