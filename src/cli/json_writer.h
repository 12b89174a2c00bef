#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace quarvel {

// A small streaming JSON writer: compact output, commas handled, floats printed in their shortest
// form that reads back to the same single-precision value.
class JsonWriter
{
public:
    JsonWriter &beginObject();
    JsonWriter &endObject();
    JsonWriter &beginArray();
    JsonWriter &endArray();
    JsonWriter &key(std::string_view name);

    JsonWriter &value(std::string_view utf8);
    JsonWriter &value(const QString &text);
    JsonWriter &value(const char *utf8) { return value(std::string_view(utf8)); }
    JsonWriter &value(std::int64_t number);
    JsonWriter &value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter &value(float number);
    JsonWriter &value(double number);
    JsonWriter &value(bool flag);

    const std::string &text() const { return m_out; }

private:
    void separate();
    std::string m_out;
    std::vector<bool> m_first; // per open container: nothing written yet
    bool m_afterKey = false;
};

} // namespace quarvel
