// Little-endian field-by-field writing and bounds-checked reading of stored records.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class LeWriter {
  public:
    void i32(std::int32_t v) {
        auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    }
    void u16(std::uint16_t v) {
        m_bytes.push_back(static_cast<std::uint8_t>(v));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u8(std::uint8_t v) { m_bytes.push_back(v); }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }

  private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads from a fixed span; a read past the end yields 0 and sets failed(), never touches memory outside.
class LeReader {
  public:
    explicit LeReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::int32_t i32() {
        if (!need(4)) return 0;
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(m_bytes[m_pos + i]) << (8 * i);
        m_pos += 4;
        return static_cast<std::int32_t>(u);
    }
    std::uint16_t u16() {
        if (!need(2)) return 0;
        auto v = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::uint8_t u8() {
        if (!need(1)) return 0;
        return m_bytes[m_pos++];
    }
    bool failed() const { return m_failed; }
    size_t remaining() const { return m_bytes.size() - m_pos; }

  private:
    bool need(size_t n) {
        if (m_failed || m_bytes.size() - m_pos < n) {
            m_failed = true;
            return false;
        }
        return true;
    }
    std::span<const std::uint8_t> m_bytes;
    size_t m_pos = 0;
    bool m_failed = false;
};
