#include "files/overlay_files.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<quarvel::VectorLine> overlay;
    quarvel::readOverlayText(overlay, quarvel::fuzz::bytesOf(data, size));
    return 0;
}
