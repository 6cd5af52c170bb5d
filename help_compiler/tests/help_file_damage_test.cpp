// The decoder on damaged help files: whatever a byte holds, it reads inside
// the file and answers true or false (the sanitized tree checks every read).
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "help_compiler/core/help_file_decoder.h"
#include "help_compiler/core/help_file_writer.h"

namespace {

std::vector<uint8_t> FixtureFile() {
    std::ifstream in(std::string(HELP_FIXTURES) + "/reader_1033.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<uint8_t> helpFile;
    SourceError error;
    EXPECT_TRUE(CompileHelpSource(text.str(), helpFile, error)) << error.message;
    return helpFile;
}

// Whether byte i lies in a run of 16 or more zeros: the unused ends of tree
// pages and topic blocks, which no reader looks at.
bool InPadding(const std::vector<uint8_t>& bytes, size_t i) {
    size_t start = i, end = i;
    while (start > 0 && bytes[start - 1] == 0) --start;
    while (end < bytes.size() && bytes[end] == 0) ++end;
    return end - start >= 16;
}

TEST(HelpFileDamage, EveryByteInvertedIsReadSafely) {
    const std::vector<uint8_t> original = FixtureFile();
    size_t refused = 0;
    for (size_t i = 0; i < original.size(); ++i) {
        if (InPadding(original, i)) continue;
        std::vector<uint8_t> damaged = original;
        damaged[i] ^= 0xFF;
        DecodedHelpFile decoded;
        std::string error;
        if (!DecodeHelpFile(damaged, decoded, error)) {
            ++refused;
            EXPECT_FALSE(error.empty()) << "byte " << i;
        }
    }
    EXPECT_GT(refused, 100u) << "damage in the headers, trees and records is seen";
}

TEST(HelpFileDamage, RandomBytesAreReadSafely) {
    const std::vector<uint8_t> original = FixtureFile();
    std::mt19937 random(1996);
    std::uniform_int_distribution<size_t> position(0, original.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> damaged = original;
        for (int n = 0; n < 4; ++n) damaged[position(random)] = static_cast<uint8_t>(value(random));
        DecodedHelpFile decoded;
        std::string error;
        DecodeHelpFile(damaged, decoded, error);
    }
}

}  // namespace
