// The console's error text: the system's message and the error code.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kErrorTextSize = 256;

// Formats "TEXT (0xCODE)" into out, TEXT being systemText without its line
// end (its last two characters). out is empty when there is no system text
// or out cannot hold the text plus 14 characters.
void FormatErrorText(const char* systemText, std::uint32_t code, char (&out)[kErrorTextSize]);
