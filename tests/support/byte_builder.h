#pragma once
// Builds data-file bytes by hand, the way a file of any older version really
// looks, so loaders and upgrade steps are tested from real bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder& I8(std::int8_t v) { return Raw(&v, 1); }
    ByteBuilder& U8(std::uint8_t v) { return Raw(&v, 1); }
    ByteBuilder& I16(std::int16_t v) { return Raw(&v, 2); }
    ByteBuilder& I32(std::int32_t v) { return Raw(&v, 4); }
    ByteBuilder& U32(std::uint32_t v) { return Raw(&v, 4); }
    ByteBuilder& F32(float v) { return Raw(&v, 4); }
    ByteBuilder& F64(double v) { return Raw(&v, 8); }
    // A stored string: length counting the zero, then text and zero; the
    // empty string is the single int 1.
    ByteBuilder& Str(const std::string& s) {
        I32(static_cast<std::int32_t>(s.size() + 1));
        if (!s.empty()) Raw(s.c_str(), s.size() + 1);
        return *this;
    }
    ByteBuilder& Bytes(const std::string& b) { return Raw(b.data(), b.size()); }
    ByteBuilder& Append(const ByteBuilder& other) { return Raw(other.m_b.data(), other.m_b.size()); }
    ByteBuilder& Raw(const void* p, std::size_t n) {
        auto c = static_cast<const std::uint8_t*>(p);
        m_b.insert(m_b.end(), c, c + n);
        return *this;
    }

    const std::vector<std::uint8_t>& Data() const { return m_b; }
    std::string Str() const { return std::string(m_b.begin(), m_b.end()); }
    std::size_t Size() const { return m_b.size(); }
    // The first n bytes only: a file that ends early.
    std::string Truncated(std::size_t n) const { return Str().substr(0, n); }

private:
    std::vector<std::uint8_t> m_b;
};
