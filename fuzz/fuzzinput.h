#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reading a fuzz input as choices and texts of 16-bit units (low byte first), so lone
// surrogates, NUL and every other unit value occur; and stopping loudly when an invariant fails.
namespace tarnwick::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The next byte, or 0 when the input is used up.
    uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }

    // Up to units 16-bit units, fewer when the input runs out.
    QString text(size_t units) {
        QString result;
        while (units-- > 0 && m_at + 1 < m_size) {
            result.append(QChar(char16_t(m_data[m_at] | (m_data[m_at + 1] << 8))));
            m_at += 2;
        }
        return result;
    }

    QString rest() { return text(m_size); }
    bool empty() const { return m_at + 1 >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Aborts, so libFuzzer keeps the input that broke the invariant.
inline void Require(bool holds, const char* invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

} // namespace tarnwick::fuzz

#define REQUIRE(condition) ::tarnwick::fuzz::Require((condition), #condition)
