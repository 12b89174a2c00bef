#include "files/byte_io.h"

#include <QIODevice>

namespace quarvel {

bool ByteWriter::flush()
{
    if (m_sink && !m_failed && !m_buffer.empty()) {
        const auto size = static_cast<qint64>(m_buffer.size());
        m_failed = m_sink->write(m_buffer.data(), size) != size;
        m_buffer.clear();
    }
    return !m_failed;
}

} // namespace quarvel
