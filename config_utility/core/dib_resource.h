// The layout of a bitmap resource (a BITMAPINFOHEADER, its colour table and
// the pixels, without the file header), checked against the resource's size.
#pragma once

#include <cstddef>
#include <cstdint>

struct DibLayout {
    std::int32_t width;
    std::int32_t height;         // as stored: negative for a top-down bitmap
    std::uint16_t bitsPerPixel;
    std::uint32_t colourCount;   // entries of the colour table (0 above 8 bits)
    std::size_t colourOffset;    // where the colour table starts
    std::size_t pixelOffset;     // where the pixels start
};

// Reads the layout of `size` bytes at `data`. False when the header is not one
// Windows reads (size, planes, bit depth, compression) or the colour table or
// the pixels run past the end.
bool ReadDibLayout(const std::uint8_t* data, std::size_t size, DibLayout& layout);

// The colour table entry `index` (blue, green, red, reserved) as red, green, blue.
struct DibColour {
    std::uint8_t red, green, blue;
};
DibColour DibColourAt(const std::uint8_t* data, const DibLayout& layout, std::uint32_t index);
