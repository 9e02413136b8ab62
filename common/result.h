#pragma once

#include "common/failure.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace tarnwick {

// What a step that may fail hands back: its value, or the failure that stopped it. The rename
// path passes failures up as values, so that each caller sees on its face which calls can fail
// and one place turns a failure into what the user is told.
template <class T, class E = Failure> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(E failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& operator*() { return std::get<0>(m_state); }
    const T& operator*() const { return std::get<0>(m_state); }
    T* operator->() { return &std::get<0>(m_state); }
    const T* operator->() const { return &std::get<0>(m_state); }
    const E& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, E> m_state;
};

// A step that yields nothing but may fail.
template <class E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    const E& failure() const { return *m_failure; }

private:
    // Held without a default state of E's own: a Failure has none.
    std::optional<E> m_failure;
};

// Runs a call of the host layer, whose primitives throw, and hands back what it came to.
template <class Call> auto Attempt(Call&& call) -> Result<std::invoke_result_t<Call>> {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Call>>) {
            call();
            return {};
        } else {
            return call();
        }
    } catch (const Failure& failure) {
        return failure;
    }
}

} // namespace tarnwick
