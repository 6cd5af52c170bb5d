// |SYSTEM (the file's title, contents topic, language and charset) and
// |FONT (the body font and its bold form, in the code page's charset).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help_compiler/core/help_document.h"

struct HelpFont {
    const char* face;
    uint8_t halfPoints;
    uint8_t charset;
};

// The font of a code page's text: MS Sans Serif 8 pt for 1252, MS PGothic
// 9 pt (Shift JIS) for 932.
HelpFont FontOfCodePage(int codePage);

std::vector<uint8_t> BuildSystemFile(const HelpDocument& document, uint32_t contentsOffset);

// Font 0 the body, font 1 the same bold (kBodyFont, kBoldFont).
std::vector<uint8_t> BuildFontFile(int codePage);
