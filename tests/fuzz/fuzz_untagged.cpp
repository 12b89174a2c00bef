#include "files/qvo_ter_files.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quarvel::Document document(quarvel::UserLocale::point());
    quarvel::fuzz::finishOpen(document,
                              quarvel::readUntaggedSecondVersion(document, quarvel::fuzz::bytesOf(data, size)));
    return 0;
}
