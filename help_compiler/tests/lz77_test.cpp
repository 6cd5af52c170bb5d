#include "help_compiler/core/lz77.h"

#include <gtest/gtest.h>

namespace {

TEST(Lz77, LiteralFramesExpandToTheirData) {
    for (size_t size : {0u, 1u, 7u, 8u, 9u, 3630u}) {
        std::vector<uint8_t> data(size);
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 7 + 1);
        const std::vector<uint8_t> frame = FrameAsLiterals(data);
        EXPECT_EQ(frame.size(), LiteralFrameSize(size));
        std::vector<uint8_t> expanded;
        ASSERT_TRUE(ExpandLz77(frame, 0x4000, expanded));
        EXPECT_EQ(expanded, data) << size << " bytes";
    }
}

TEST(Lz77, AFullBlockHoldsExactlyItsCapacity) {
    EXPECT_EQ(LiteralCapacity(4084), 3630u);
    EXPECT_LE(LiteralFrameSize(3630), 4084u);
    EXPECT_GT(LiteralFrameSize(3631), 4084u);
}

TEST(Lz77, BackReferencesCopyEarlierBytesEvenWhileMakingThem) {
    // "ab", then 6 bytes from distance 2 ("ababab"), then 'c': flags 0b0100
    // for literal, literal, reference, literal.
    const std::vector<uint8_t> stream = {0x04, 'a', 'b', 0x01, 0x30, 'c'};
    std::vector<uint8_t> expanded;
    ASSERT_TRUE(ExpandLz77(stream, 100, expanded));
    EXPECT_EQ(std::string(expanded.begin(), expanded.end()), "abababab" "c");
}

TEST(Lz77, StopsAtTheLimitAndRefusesReferencesBeforeTheStart) {
    std::vector<uint8_t> expanded;
    ASSERT_TRUE(ExpandLz77(std::vector<uint8_t>{0x00, 1, 2, 3, 4, 5, 6, 7, 8}, 5, expanded));
    EXPECT_EQ(expanded.size(), 5u);
    EXPECT_FALSE(ExpandLz77(std::vector<uint8_t>{0x02, 'a', 0x01, 0x00}, 100, expanded)) << "distance 2 after 1 byte";
    EXPECT_FALSE(ExpandLz77(std::vector<uint8_t>{0x01, 0x00}, 100, expanded)) << "a reference cut short";
}

}  // namespace
