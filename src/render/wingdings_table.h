#pragma once

#include <cstdint>

namespace quarvel {

// Unicode code point of the shape that a Wingdings character code stands for; 0 when none.
char32_t wingdingsToUnicode(std::uint8_t code);

} // namespace quarvel
