#include "files/overlay_files.h"
#include "fuzz_common.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<quarvel::VectorLine> overlay;
    quarvel::readExtendedOverlay(overlay, quarvel::fuzz::bytesOf(data, size));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    quarvel::ByteWriter out(&buffer);
    std::vector<quarvel::OverlayTextChange> changes;
    quarvel::writeOverlay(out, overlay, 3, changes);
    out.flush();
    return 0;
}
