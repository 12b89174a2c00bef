#pragma once

#include <optional>
#include <string_view>

#include <QByteArray>
#include <QFile>

namespace quarvel {

// A file's bytes for a reader: mapped where the system allows it, so a large document is not
// copied into memory first.
class FileBytes
{
public:
    explicit FileBytes(const QString &path);
    // Nothing when the file cannot be opened or read.
    std::optional<std::string_view> bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArray m_copy;
    std::optional<std::string_view> m_bytes;
};

} // namespace quarvel
