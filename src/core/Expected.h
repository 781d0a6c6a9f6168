// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>
#include <variant>

namespace tivren {

// The error side of an Expected, so that T and E may be the same type.
template <typename E> struct Unexpected
{
    explicit Unexpected(E e)
        : error(std::move(e))
    {
    }
    E error;
};
template <typename E> Unexpected(E) -> Unexpected<E>;

// A value or an error: how Tivren's services report failures (no exceptions across layers).
template <typename T, typename E> class [[nodiscard]] Expected
{
public:
    Expected(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    Expected(Unexpected<E> error)
        : m_state(std::in_place_index<1>, std::move(error.error))
    {
    }

    [[nodiscard]] bool hasValue() const { return m_state.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    [[nodiscard]] T& value() & { return std::get<0>(m_state); }
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const E& error() const { return std::get<1>(m_state); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, E> m_state;
};

// Success without a value.
struct Done
{
    bool operator==(const Done&) const = default;
};

} // namespace tivren
