#pragma once

// Builds test files byte by byte from the stored layouts, independently of the program's writers.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace quarvel::test {

class Bytes
{
public:
    Bytes &raw(std::string_view bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    Bytes &zeros(std::size_t n) { return raw(std::string(n, '\0')); }
    Bytes &u8(std::uint8_t v) { return raw(std::string(1, static_cast<char>(v))); }
    Bytes &i32(std::int32_t v)
    {
        char b[4];
        std::memcpy(b, &v, 4);
        return raw(std::string_view(b, 4));
    }
    Bytes &f32(float v)
    {
        char b[4];
        std::memcpy(b, &v, 4);
        return raw(std::string_view(b, 4));
    }
    Bytes &f64(double v)
    {
        char b[8];
        std::memcpy(b, &v, 8);
        return raw(std::string_view(b, 8));
    }
    // The text, then NULs up to the field width.
    Bytes &text(std::string_view text, std::size_t width)
    {
        raw(text.substr(0, width));
        return zeros(width - std::min(text.size(), width));
    }
    // A length byte and the characters, then NULs up to the field width.
    Bytes &prefixed(std::string_view text, std::size_t width)
    {
        u8(static_cast<std::uint8_t>(text.size()));
        return this->text(text, width - 1);
    }
    Bytes &append(const Bytes &other) { return raw(other.str()); }

    std::size_t size() const { return m_bytes.size(); }
    const std::string &str() const { return m_bytes; }
    QByteArray bytes() const { return QByteArray(m_bytes.data(), static_cast<qsizetype>(m_bytes.size())); }

private:
    std::string m_bytes;
};

// A record of fixed size filled at offsets.
class Record
{
public:
    explicit Record(std::size_t size) : m_bytes(size, '\0') {}
    Record &i32(std::size_t at, std::int32_t v) { return put(at, &v, 4); }
    Record &f32(std::size_t at, float v) { return put(at, &v, 4); }
    Record &f64(std::size_t at, double v) { return put(at, &v, 8); }
    Record &u8(std::size_t at, std::uint8_t v) { return put(at, &v, 1); }
    Record &text(std::size_t at, std::string_view text) { return put(at, text.data(), text.size()); }
    Record &prefixed(std::size_t at, std::string_view text)
    {
        u8(at, static_cast<std::uint8_t>(text.size()));
        return this->text(at + 1, text);
    }
    std::string_view str() const { return m_bytes; }

private:
    Record &put(std::size_t at, const void *data, std::size_t n)
    {
        if (n > 0)
            std::memcpy(m_bytes.data() + at, data, n);
        return *this;
    }
    std::string m_bytes;
};

inline Bytes &operator<<(Bytes &bytes, const Record &record)
{
    return bytes.raw(record.str());
}

inline QString writeTestFile(const QString &path, std::string_view bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

inline std::string readTestFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace quarvel::test
