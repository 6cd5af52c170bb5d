#include "config_utility/view/palette_bitmap.h"

#include <cstdint>
#include <vector>

#include "common/win32/gdi_guards.h"
#include "config_utility/core/dib_resource.h"

namespace {

UniquePalette PaletteOf(const std::uint8_t* data, const DibLayout& layout) {
    // The palette has 2^bits entries; colours the table does not hold are black.
    const std::uint32_t entries = 1u << layout.bitsPerPixel;
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        PALETTEENTRY& e = palette->palPalEntry[i];
        const DibColour c = i < layout.colourCount ? DibColourAt(data, layout, i) : DibColour{0, 0, 0};
        e = {c.red, c.green, c.blue, 0};
    }
    return UniquePalette(CreatePalette(palette));
}

}  // namespace

bool LoadPaletteBitmap(HINSTANCE instance, LPCSTR name, PaletteBitmap& out) {
    HRSRC found = FindResourceA(instance, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(instance, found);
    const DWORD size = SizeofResource(instance, found);
    const auto* data = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    DibLayout layout;
    if (!ReadDibLayout(data, size, layout)) return false;

    UniquePalette palette;
    if (layout.bitsPerPixel <= 8) {
        palette = PaletteOf(data, layout);
        if (!palette) return false;
    }
    WindowDc screen(nullptr);
    if (!screen) return false;
    UniqueBitmap bitmap;
    {
        SelectedPalette selected(screen.get(), palette.get(), false);
        if (palette) RealizePalette(screen.get());
        bitmap.reset(CreateDIBitmap(screen.get(), reinterpret_cast<const BITMAPINFOHEADER*>(data), CBM_INIT,
                                    data + layout.pixelOffset, reinterpret_cast<const BITMAPINFO*>(data),
                                    DIB_RGB_COLORS));
    }
    if (!bitmap) return false;
    out.bitmap = std::move(bitmap);
    out.palette = std::move(palette);
    out.width = layout.width;
    out.height = layout.height < 0 ? -layout.height : layout.height;
    return true;
}
