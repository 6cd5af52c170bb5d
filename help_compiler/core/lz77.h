// The LZ77 coding of WinHelp's topic blocks: groups of eight items behind a
// flag byte, bit 0 first; a clear bit is one literal byte, a set bit a 16-bit
// back-reference (12 bits of distance - 1, 4 bits of length - 3).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// data as a stream of literals only, which every reader expands back to it.
std::vector<uint8_t> FrameAsLiterals(std::span<const uint8_t> data);

// The size FrameAsLiterals gives for size bytes.
constexpr size_t LiteralFrameSize(size_t size) { return size + (size + 7) / 8; }

// The most bytes of data whose literal frame fits into size bytes.
constexpr size_t LiteralCapacity(size_t size) { return size - (size + 8) / 9; }

// Expands a stream into out, at most limit bytes; false when a
// back-reference reaches before the start.
bool ExpandLz77(std::span<const uint8_t> stream, size_t limit, std::vector<uint8_t>& out);
