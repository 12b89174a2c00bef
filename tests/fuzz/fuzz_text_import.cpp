#include "files/text_import.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quarvel::Document document(quarvel::UserLocale::comma());
    quarvel::importText(document, quarvel::fuzz::bytesOf(data, size));
    return 0;
}
