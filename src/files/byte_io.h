#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

class QIODevice;

namespace quarvel {

// Reads a file's bytes front to back. Every read checks the bytes that are left first and reads
// nothing when they do not suffice, so no count or length from a file can reach past its end.
class ByteReader
{
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t remaining() const { return m_bytes.size() - m_at; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    std::optional<std::string_view> take(std::size_t n)
    {
        if (n > remaining())
            return std::nullopt;
        const std::string_view piece = m_bytes.substr(m_at, n);
        m_at += n;
        return piece;
    }

    bool skip(std::size_t n)
    {
        if (n > remaining())
            return false;
        m_at += n;
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

// Little-endian fields of a record already taken whole; a field outside the record reads as 0.
inline std::uint8_t u8At(std::string_view record, std::size_t offset)
{
    return offset < record.size() ? static_cast<std::uint8_t>(record[offset]) : 0;
}

inline std::uint32_t u32At(std::string_view record, std::size_t offset)
{
    if (offset + 4 > record.size())
        return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(record[offset + static_cast<std::size_t>(i)]);
    return v;
}

inline std::int32_t i32At(std::string_view record, std::size_t offset)
{
    return static_cast<std::int32_t>(u32At(record, offset));
}

inline float f32At(std::string_view record, std::size_t offset)
{
    const std::uint32_t bits = u32At(record, offset);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline double f64At(std::string_view record, std::size_t offset)
{
    const std::uint64_t bits = u32At(record, offset) | (std::uint64_t(u32At(record, offset + 4)) << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// A text in a fixed field: its bytes up to the first NUL, never beyond the field.
inline std::string_view textAt(std::string_view record, std::size_t offset, std::size_t width)
{
    if (offset >= record.size())
        return {};
    const std::string_view field = record.substr(offset, width);
    return field.substr(0, field.find('\0'));
}

// A length byte followed by up to maxLength characters.
inline std::string_view prefixedTextAt(std::string_view record, std::size_t offset, std::size_t maxLength)
{
    const std::size_t length = std::min<std::size_t>(u8At(record, offset), maxLength);
    if (offset + 1 >= record.size())
        return {};
    return record.substr(offset + 1, length);
}

// Builds a file in memory and, when given a device, hands it over in large pieces so that a
// million-row document never sits in memory twice.
class ByteWriter
{
public:
    explicit ByteWriter(QIODevice *sink = nullptr) : m_sink(sink) {}

    void bytes(std::string_view data)
    {
        m_buffer.append(data);
        if (m_sink && m_buffer.size() >= kFlushSize)
            flush();
    }
    void zeros(std::size_t n) { bytes(std::string(n, '\0')); }
    void i32(std::int32_t v)
    {
        char b[4];
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            b[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
        bytes(std::string_view(b, 4));
    }
    void f32(float v)
    {
        std::int32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        i32(bits);
    }

    // Writes what is buffered to the device; false once any write has failed.
    bool flush();
    bool failed() const { return m_failed; }
    const std::string &buffer() const { return m_buffer; }

private:
    static constexpr std::size_t kFlushSize = 1 << 20;
    QIODevice *m_sink;
    std::string m_buffer;
    bool m_failed = false;
};

// Fills a record in place: little-endian numbers and NUL-terminated texts at fixed offsets.
template <std::size_t N>
struct RecordBuilder
{
    char bytes[N]{};

    void i32(std::size_t offset, std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (std::size_t i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    void f32(std::size_t offset, float v)
    {
        std::int32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        i32(offset, bits);
    }
    // At most maxLength bytes of the text; the field's other bytes stay 0. False when cut.
    bool text(std::size_t offset, std::string_view text, std::size_t maxLength)
    {
        const std::size_t n = std::min(text.size(), maxLength);
        if (n > 0)
            std::memcpy(bytes + offset, text.data(), n);
        return n == text.size();
    }
    std::string_view view() const { return std::string_view(bytes, N); }
};

} // namespace quarvel
