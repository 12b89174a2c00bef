#include "files/earlier_qvd_layouts.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quarvel::Document document(quarvel::UserLocale::comma());
    quarvel::fuzz::finishOpen(document, quarvel::readVersion30(document, quarvel::fuzz::bytesOf(data, size)));
    return 0;
}
