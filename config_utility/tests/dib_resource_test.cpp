// The bounds checks of the bitmap resource reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "config_utility/core/dib_resource.h"

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BITMAPINFOHEADER with its colour table and pixels.
std::vector<std::uint8_t> Dib(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t used = 0) {
    const std::uint32_t colours = bits <= 8 ? (used != 0 ? used : 1u << bits) : 0;
    const std::size_t stride = ((width * bits + 31) / 32) * 4;
    std::vector<std::uint8_t> b(40 + colours * 4 + stride * (height < 0 ? -height : height));
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<std::uint32_t>(width));
    Put32(b, 8, static_cast<std::uint32_t>(height));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bits);
    Put32(b, 32, used);
    if (colours > 1) {
        b[40 + 4 + 0] = 0x30;  // entry 1: blue 0x30, green 0x20, red 0x10
        b[40 + 4 + 1] = 0x20;
        b[40 + 4 + 2] = 0x10;
    }
    return b;
}

TEST(DibResourceTest, ReadsTheLayoutOfPalettedAndTrueColourBitmaps) {
    std::vector<std::uint8_t> eight = Dib(327, 290, 8);
    DibLayout layout;
    ASSERT_TRUE(ReadDibLayout(eight.data(), eight.size(), layout));
    EXPECT_EQ(layout.colourCount, 256u);
    EXPECT_EQ(layout.pixelOffset, 40u + 1024u);
    const DibColour c = DibColourAt(eight.data(), layout, 1);
    EXPECT_EQ(c.red, 0x10);
    EXPECT_EQ(c.green, 0x20);
    EXPECT_EQ(c.blue, 0x30);

    std::vector<std::uint8_t> used = Dib(24, -24, 4, 5);
    ASSERT_TRUE(ReadDibLayout(used.data(), used.size(), layout));
    EXPECT_EQ(layout.colourCount, 5u);
    EXPECT_EQ(layout.height, -24);

    std::vector<std::uint8_t> rgb = Dib(10, 10, 24);
    ASSERT_TRUE(ReadDibLayout(rgb.data(), rgb.size(), layout));
    EXPECT_EQ(layout.colourCount, 0u);
    EXPECT_EQ(layout.pixelOffset, 40u);
}

TEST(DibResourceTest, RefusesHeadersAndSizesWindowsWouldNotRead) {
    DibLayout layout{};
    std::vector<std::uint8_t> good = Dib(16, 16, 8);
    EXPECT_FALSE(ReadDibLayout(good.data(), good.size() - 1, layout)) << "pixels cut short";
    EXPECT_FALSE(ReadDibLayout(good.data(), 39, layout)) << "header cut short";
    EXPECT_FALSE(ReadDibLayout(nullptr, 0, layout));

    auto broken = [&](auto change) {
        std::vector<std::uint8_t> b = good;
        change(b);
        return !ReadDibLayout(b.data(), b.size(), layout);
    };
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 0, 12); }));           // an OS/2 core header
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 0, 0x7FFFFFFF); }));   // header larger than the resource
    EXPECT_TRUE(broken([](auto& b) { b[14] = 7; }));                 // no such depth
    EXPECT_TRUE(broken([](auto& b) { b[12] = 2; }));                 // planes
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 16, 1); }));           // run-length encoded
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 32, 257); }));         // more colours than 8 bits hold
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 4, 0); }));            // no width
    EXPECT_TRUE(broken([](auto& b) { Put32(b, 8, 0x7FFFFFFF); }));   // height far past the data
    EXPECT_EQ(layout.width, 0) << "a refused layout is not written";
}

}  // namespace
