#pragma once

namespace quarvel {

// How the image window copies the picture. Chosen in the options dialog, kept for the run and
// never stored in a document.
struct CopySettings
{
    bool copyAsMetafile = true;
    bool convertSymbolsToGraphics = false;
    bool fixDotLines = false;
};

} // namespace quarvel
