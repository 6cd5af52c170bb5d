// UTF-8 text into the bytes of a Windows code page, with the host's iconv.
#pragma once

#include <string>
#include <string_view>

enum class EncodeResult { kDone, kMalformed, kUnmappable };

// text (UTF-8) in code page 1252 or 932, a tab as a space. On kUnmappable,
// character names the first character the code page lacks, as "U+2019 '’'"
// (control characters count as lacking); out is set on kDone only.
EncodeResult EncodeInCodePage(int codePage, std::string_view text, std::string& out, std::string& character);
