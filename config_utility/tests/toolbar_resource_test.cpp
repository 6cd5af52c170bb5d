// Toolbar resources are read from the image; a damaged one must not be read past.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "config_utility/core/toolbar_resource.h"

namespace {

std::vector<unsigned char> Resource(std::uint16_t version, std::uint16_t count, std::size_t entries) {
    std::vector<unsigned char> bytes;
    auto word = [&](std::uint16_t w) {
        bytes.push_back(static_cast<unsigned char>(w));
        bytes.push_back(static_cast<unsigned char>(w >> 8));
    };
    word(version);
    word(25);
    word(19);
    word(count);
    for (std::size_t i = 0; i < entries; ++i) word(static_cast<std::uint16_t>(32800 + i));
    return bytes;
}

TEST(ToolbarResource, ReadsSizeAndCommands) {
    const auto bytes = Resource(1, 27, 27);
    ToolbarResource toolbar;
    ASSERT_TRUE(ParseToolbarResource(bytes.data(), bytes.size(), toolbar));
    EXPECT_EQ(toolbar.width, 25);
    EXPECT_EQ(toolbar.height, 19);
    ASSERT_EQ(toolbar.count, 27u);
    EXPECT_EQ(toolbar.commands[0], 32800);
    EXPECT_EQ(toolbar.commands[26], 32826);
}

TEST(ToolbarResource, RejectsDamagedResourcesAndWritesNothing) {
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    const Case cases[] = {
        {"entries cut short", Resource(1, 27, 26)},
        {"header cut short", std::vector<unsigned char>(7, 1)},
        {"other version", Resource(2, 1, 1)},
        {"too many entries", Resource(1, kMaxToolbarEntries + 1, kMaxToolbarEntries + 1)},
    };
    for (const Case& c : cases) {
        ToolbarResource toolbar;
        toolbar.count = 99;
        EXPECT_FALSE(ParseToolbarResource(c.bytes.data(), c.bytes.size(), toolbar)) << c.what;
        EXPECT_EQ(toolbar.count, 99u) << c.what;
    }
    ToolbarResource toolbar;
    EXPECT_FALSE(ParseToolbarResource(nullptr, 8, toolbar));
}

}  // namespace
