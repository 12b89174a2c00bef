#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

namespace quarvel {

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out += ',';
        m_first.back() = false;
    }
}

JsonWriter &JsonWriter::beginObject()
{
    separate();
    m_out += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter &JsonWriter::endObject()
{
    m_out += '}';
    m_first.pop_back();
    return *this;
}

JsonWriter &JsonWriter::beginArray()
{
    separate();
    m_out += '[';
    m_first.push_back(true);
    return *this;
}

JsonWriter &JsonWriter::endArray()
{
    m_out += ']';
    m_first.pop_back();
    return *this;
}

JsonWriter &JsonWriter::key(std::string_view name)
{
    value(name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter &JsonWriter::value(std::string_view utf8)
{
    separate();
    m_out += '"';
    for (char c : utf8) {
        switch (c) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\n': m_out += "\\n"; break;
        case '\r': m_out += "\\r"; break;
        case '\t': m_out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                m_out += "\\u00";
                m_out += hex[(c >> 4) & 0xF];
                m_out += hex[c & 0xF];
            } else {
                m_out += c;
            }
        }
    }
    m_out += '"';
    return *this;
}

JsonWriter &JsonWriter::value(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return value(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

JsonWriter &JsonWriter::value(std::int64_t number)
{
    separate();
    m_out += std::to_string(number);
    return *this;
}

namespace {

// Shortest form that reads back to the same value of the number's own type. JSON has no
// infinities; damaged files can hold them.
template <typename Number>
void appendNumber(std::string &out, Number number)
{
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

} // namespace

JsonWriter &JsonWriter::value(float number)
{
    separate();
    appendNumber(m_out, number);
    return *this;
}

JsonWriter &JsonWriter::value(double number)
{
    separate();
    appendNumber(m_out, number);
    return *this;
}

JsonWriter &JsonWriter::value(bool flag)
{
    separate();
    m_out += flag ? "true" : "false";
    return *this;
}

} // namespace quarvel
