#include "files/file_bytes.h"

namespace quarvel {

FileBytes::FileBytes(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    if (size > 0 && m_file.isSequential() == false) {
        if (const uchar *mapped = m_file.map(0, size)) {
            m_bytes = std::string_view(reinterpret_cast<const char *>(mapped), static_cast<std::size_t>(size));
            return;
        }
    }
    m_copy = m_file.readAll();
    if (m_file.error() == QFileDevice::NoError)
        m_bytes = std::string_view(m_copy.constData(), static_cast<std::size_t>(m_copy.size()));
}

} // namespace quarvel
