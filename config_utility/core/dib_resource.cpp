#include "config_utility/core/dib_resource.h"

#include "common/core/little_endian.h"

namespace {

constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kRgb = 0;            // BI_RGB
constexpr std::uint32_t kBitfields = 3;      // BI_BITFIELDS

}  // namespace

bool ReadDibLayout(const std::uint8_t* data, std::size_t size, DibLayout& layout) {
    if (data == nullptr || size < kInfoHeaderSize) return false;
    const std::uint32_t headerSize = ReadLe32(data);
    if (headerSize < kInfoHeaderSize || headerSize > size) return false;
    const auto width = static_cast<std::int32_t>(ReadLe32(data + 4));
    const auto height = static_cast<std::int32_t>(ReadLe32(data + 8));
    const std::uint16_t planes = ReadLe16(data + 12);
    const std::uint16_t bits = ReadLe16(data + 14);
    const std::uint32_t compression = ReadLe32(data + 16);
    const std::uint32_t used = ReadLe32(data + 32);
    if (planes != 1 || width <= 0 || height == 0 || height < -0x10000 || height > 0x10000 || width > 0x10000)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (compression != kRgb && !(compression == kBitfields && (bits == 16 || bits == 32))) return false;

    std::uint32_t colours = 0;
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        if (used > full) return false;
        colours = used != 0 ? used : full;
    }
    const std::size_t masks = compression == kBitfields && headerSize == kInfoHeaderSize ? 12 : 0;
    const std::size_t colourOffset = headerSize + masks;
    const std::size_t pixelOffset = colourOffset + std::size_t{colours} * 4;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    if (pixelOffset > size || stride * rows > size - pixelOffset) return false;

    layout = {width, height, bits, colours, colourOffset, pixelOffset};
    return true;
}

DibColour DibColourAt(const std::uint8_t* data, const DibLayout& layout, std::uint32_t index) {
    const std::uint8_t* entry = data + layout.colourOffset + std::size_t{index} * 4;
    return {entry[2], entry[1], entry[0]};
}
