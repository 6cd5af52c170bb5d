// make-contiguous's command line: what it takes and what it refuses.
#include <gtest/gtest.h>

#include <vector>

#include "save_to_disk/tools/make_contiguous_arguments.h"

namespace {

bool Parse(std::vector<const char*> words, MakeContiguousArguments& arguments) {
    words.insert(words.begin(), "make-contiguous");
    return ParseMakeContiguousArguments(int(words.size()), words.data(), arguments);
}

TEST(MakeContiguousArguments, TakesTheImagePathSizeAndOptions) {
    MakeContiguousArguments a;
    ASSERT_TRUE(Parse({"disk.img", "\\SAVE2DSK.BIN", "4294967295", "--partition", "4", "--engine", "fsctl"}, a));
    EXPECT_EQ(a.image, "disk.img");
    EXPECT_EQ(a.path, "\\SAVE2DSK.BIN");
    EXPECT_EQ(a.bytes, 0xFFFFFFFFu);
    EXPECT_EQ(a.partition, 4u);
    EXPECT_TRUE(a.fsctl);

    MakeContiguousArguments b;
    ASSERT_TRUE(Parse({"vol.img", "\\A", "0", "--engine", "fsctl", "--engine", "fat"}, b));
    EXPECT_EQ(b.bytes, 0u);
    EXPECT_EQ(b.partition, 0u);
    EXPECT_FALSE(b.fsctl) << "the last --engine wins";
}

TEST(MakeContiguousArguments, RefusesAndLeavesTheArgumentsAlone) {
    const std::string longest(250, 'X');
    const std::string tooLong = "\\" + longest;
    const std::vector<std::vector<const char*>> refused = {
        {"disk.img", "\\A.BIN"},                           // no size
        {"disk.img", "A.BIN", "10"},                       // not from the root
        {"disk.img", "", "10"},
        {"disk.img", tooLong.c_str(), "10"},
        {"disk.img", "\\A.BIN", "4294967296"},             // past 32 bits
        {"disk.img", "\\A.BIN", "99999999999999999999999"},
        {"disk.img", "\\A.BIN", "-1"},
        {"disk.img", "\\A.BIN", "1e3"},
        {"disk.img", "\\A.BIN", ""},
        {"disk.img", "\\A.BIN", "10", "--partition", "5"},
        {"disk.img", "\\A.BIN", "10", "--partition"},     // no value
        {"disk.img", "\\A.BIN", "10", "--engine", "ntfs"},
        {"disk.img", "\\A.BIN", "10", "--verbose"},
    };
    for (const auto& words : refused) {
        MakeContiguousArguments a;
        a.image = "untouched";
        EXPECT_FALSE(Parse(words, a)) << words.size() << " words, the third " << (words.size() > 2 ? words[2] : "");
        EXPECT_EQ(a.image, "untouched");
    }
    MakeContiguousArguments a;
    EXPECT_TRUE(Parse({"disk.img", ("\\" + std::string(249, 'X')).c_str(), "10"}, a)) << "250 characters";
}

}  // namespace
