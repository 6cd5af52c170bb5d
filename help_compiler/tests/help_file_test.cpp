// Whole help files: compiled from a source, read back by the decoder.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "help_compiler/core/btree.h"
#include "help_compiler/core/context_hash.h"
#include "help_compiler/core/help_file_decoder.h"
#include "help_compiler/core/help_file_writer.h"
#include "help_compiler/core/internal_files.h"

namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(HELP_FIXTURES) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

DecodedHelpFile Compiled(const std::string& source, std::vector<uint8_t>* bytes = nullptr) {
    std::vector<uint8_t> helpFile;
    SourceError error;
    EXPECT_TRUE(CompileHelpSource(source, helpFile, error)) << error.line << ": " << error.message;
    DecodedHelpFile decoded;
    std::string decodeError;
    EXPECT_TRUE(DecodeHelpFile(helpFile, decoded, decodeError)) << decodeError;
    if (bytes != nullptr) *bytes = std::move(helpFile);
    return decoded;
}

int32_t HashOf(uint32_t context) { return ContextHash(ContextName(context)); }

// The topic a jump's hash leads to, through |CONTEXT.
const DecodedTopic* JumpTarget(const DecodedHelpFile& file, const DecodedParagraph& jump) {
    const auto entry = file.contexts.find(jump.jumpHash);
    return entry == file.contexts.end() ? nullptr : file.TopicAt(entry->second);
}

TEST(ContextHash, IsWinHelpsHashOfTheContextString) {
    EXPECT_EQ(ContextName(0x50400), "IDH_50400");
    EXPECT_EQ(ContextHash("A"), 17);
    EXPECT_EQ(ContextHash("a"), 17);
    EXPECT_EQ(ContextHash("IDH_1"), 0x05311E4D);
    EXPECT_EQ(ContextHash("IDH_50400"), -831553445) << "wraps around in 32 bits";
    EXPECT_EQ(ContextHash("0._"), (10 * 43 + 12) * 43 + 13);
}

TEST(HelpFile, ReadsBackTheEnglishFixture) {
    const DecodedHelpFile file = Compiled(Fixture("reader_1033.txt"));
    EXPECT_EQ(file.internalFiles, (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA",
                                                            "|KWMAP", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
    EXPECT_EQ(file.minor, 33);
    EXPECT_EQ(file.flags, 4);
    EXPECT_EQ(file.title, "Fixture Help");
    EXPECT_EQ(file.language, 0x0409);
    EXPECT_EQ(file.charset, 0);
    ASSERT_EQ(file.fonts.size(), 2u);
    EXPECT_EQ(file.fonts[0].face, "MS Sans Serif");
    EXPECT_EQ(file.fonts[0].halfPoints, 16);
    EXPECT_FALSE(file.fonts[0].bold);
    EXPECT_TRUE(file.fonts[1].bold);

    ASSERT_EQ(file.topics.size(), 3u);
    const DecodedTopic& contents = file.topics[0];
    EXPECT_EQ(file.TopicAt(file.contentsOffset), &contents);
    EXPECT_EQ(contents.title, "Fixture Contents");
    ASSERT_EQ(contents.paragraphs.size(), 4u);
    EXPECT_EQ(contents.paragraphs[0].text, "Fixture Contents");
    EXPECT_EQ(contents.paragraphs[0].font, 1) << "the title is the topic's bold heading";
    EXPECT_EQ(contents.paragraphs[0].spacingAbove, 0);

    const DecodedParagraph& popupJump = contents.paragraphs[1];
    EXPECT_EQ(popupJump.text, "What the Enable button does");
    EXPECT_TRUE(popupJump.jump);
    EXPECT_TRUE(popupJump.popupJump);
    EXPECT_EQ(popupJump.jumpHash, HashOf(0x50401));
    EXPECT_EQ(popupJump.spacingAbove, 12);
    EXPECT_EQ(JumpTarget(file, popupJump), &file.topics[2]);
    const DecodedParagraph& topicJump = contents.paragraphs[2];
    EXPECT_EQ(topicJump.text, "Battery settings");
    EXPECT_TRUE(topicJump.jump);
    EXPECT_FALSE(topicJump.popupJump);
    EXPECT_EQ(JumpTarget(file, topicJump), &file.topics[1]);

    EXPECT_EQ(contents.paragraphs[3].text,
              "This file shows what the help compiler writes: a contents topic, topics with headings and jumps, popup "
              "topics and keywords.");
    EXPECT_EQ(contents.paragraphs[3].font, 0);
    EXPECT_FALSE(contents.paragraphs[3].jump);

    const DecodedTopic& battery = file.topics[1];
    ASSERT_EQ(battery.paragraphs.size(), 4u);
    EXPECT_EQ(battery.paragraphs[1].text, "When to change them");
    EXPECT_EQ(battery.paragraphs[1].font, 1) << "a @heading is bold";
    EXPECT_NE(battery.paragraphs[2].text.find("Caf\xE9 prices"), std::string::npos) << "in code page 1252";
    EXPECT_EQ(JumpTarget(file, battery.paragraphs[3]), &contents);

    const DecodedTopic& popup = file.topics[2];
    EXPECT_TRUE(popup.title.empty());
    ASSERT_EQ(popup.paragraphs.size(), 1u) << "a popup has no heading";
    EXPECT_EQ(popup.paragraphs[0].text, "Turns the device on. The notebook then uses a little more power.");

    // Each context number opens its topic through |CTXOMAP, and its context
    // string's hash leads to the same topic through |CONTEXT.
    const std::pair<uint32_t, const DecodedTopic*> contexts[] = {
        {0x20080, &contents}, {0x20081, &battery}, {0x50401, &popup}, {0x50402, &popup}};
    EXPECT_EQ(file.contextMap.size(), 4u);
    EXPECT_EQ(file.contexts.size(), 4u);
    for (const auto& [context, topic] : contexts) {
        EXPECT_EQ(file.TopicOfContext(context), topic) << std::hex << context;
        EXPECT_EQ(file.contexts.at(HashOf(context)), topic->offset) << std::hex << context;
    }

    EXPECT_EQ(file.titles, (std::map<uint32_t, std::string>{{contents.offset, "Fixture Contents"},
                                                             {battery.offset, "Battery Settings"}}))
        << "titles of the topics, not of popups";
    ASSERT_EQ(file.keywords.size(), 3u);
    EXPECT_EQ(file.keywords[0].keyword, "battery");
    EXPECT_EQ(file.keywords[0].topicOffsets, std::vector<uint32_t>{battery.offset});
    EXPECT_EQ(file.keywords[1].keyword, "contents");
    EXPECT_EQ(file.keywords[2].keyword, "overview");
    EXPECT_EQ(file.keywords[2].topicOffsets, std::vector<uint32_t>{contents.offset});
    ASSERT_EQ(file.keywordMap.size(), 1u);
    EXPECT_EQ(+file.keywordMap[0].firstKeyword, 0u);
}

TEST(HelpFile, ReadsBackTheJapaneseFixtureInShiftJis) {
    const DecodedHelpFile file = Compiled(Fixture("reader_1041.txt"));
    EXPECT_EQ(file.language, 0x0411);
    EXPECT_EQ(file.charset, 128) << "SHIFTJIS_CHARSET";
    ASSERT_EQ(file.fonts.size(), 2u);
    EXPECT_EQ(file.fonts[0].face, "MS PGothic");
    EXPECT_EQ(file.fonts[0].halfPoints, 18);
    ASSERT_EQ(file.topics.size(), 3u);
    EXPECT_EQ(file.topics[0].title, "\x96\xDA\x8E\x9F");  // 目次
    const DecodedTopic* popup = file.TopicOfContext(0x50401);
    ASSERT_NE(popup, nullptr);
    // デバイスをオンにします。
    EXPECT_EQ(popup->paragraphs[0].text.substr(0, 24),
              "\x83\x66\x83\x6F\x83\x43\x83\x58\x82\xF0\x83\x49\x83\x93\x82\xC9\x82\xB5\x82\xDC\x82\xB7\x81\x42");
    ASSERT_EQ(file.keywords.size(), 2u);
}

// A source of count popups, each with its own text and keyword, and topics
// that jump to some of them: enough records for many topic blocks, and
// enough entries for B+ trees of several pages.
std::string LargeSource(int count) {
    std::ostringstream source;
    source << "@title Large\n@codepage 1252\n@language 0x0409\n@contents 0x10000\n"
              "@topic 0x10000 | Contents\n";
    for (int i = 0; i < count; i += 50) source << "@jump " << 0x50000 + i << " | Popup " << i << "\n";
    for (int i = 0; i < count; ++i) {
        source << "@popup " << 0x50000 + i << " " << 0x90000 + i << "\n"
               << "Popup " << i << " explains one control of one page in a sentence or two, long enough to fill\n"
               << "the blocks of the topic file a little faster than a short text would.\n"
               << "@keywords keyword number " << 100000 + i << "; shared\n";
    }
    return source.str();
}

TEST(HelpFile, ManyTopicsSpanBlocksAndEveryContextFindsItsTopic) {
    constexpr int kCount = 600;
    std::vector<uint8_t> bytes;
    const DecodedHelpFile file = Compiled(LargeSource(kCount), &bytes);
    ASSERT_EQ(file.topics.size(), kCount + 1u);

    std::set<uint32_t> blocks;
    for (int i = 0; i < kCount; ++i) {
        const std::string text = "Popup " + std::to_string(i) + " explains";
        for (uint32_t context : {0x50000u + i, 0x90000u + i}) {
            const DecodedTopic* topic = file.TopicOfContext(context);
            ASSERT_NE(topic, nullptr) << std::hex << context;
            EXPECT_EQ(topic->paragraphs[0].text.substr(0, text.size()), text) << std::hex << context;
            EXPECT_EQ(file.contexts.at(HashOf(context)), topic->offset) << std::hex << context;
            blocks.insert(topic->offset >> 15);
        }
    }
    EXPECT_GT(blocks.size(), 20u) << "the topics lie in many blocks";
    for (const DecodedParagraph& jump : file.topics[0].paragraphs) {
        if (jump.jump) {
            EXPECT_NE(JumpTarget(file, jump), nullptr) << jump.text;
        }
    }

    // Several leaf pages in |CONTEXT and |KWBTREE, one |KWMAP entry a leaf.
    std::vector<InternalFileView> internal;
    std::string error;
    ASSERT_TRUE(ReadInternalFiles(bytes, internal, error));
    for (const InternalFileView& view : internal) {
        if (view.name != "|CONTEXT" && view.name != "|KWBTREE") continue;
        BTreeHeader header{};
        ASSERT_TRUE(ReadBTreeHeader(view.data, header));
        EXPECT_GE(+header.levels, 2) << view.name;
        if (view.name == "|KWBTREE") {
            EXPECT_EQ(file.keywordMap.size(), static_cast<size_t>(header.totalPages - 1));
        }
    }
    ASSERT_EQ(file.keywords.size(), kCount + 1u);
    EXPECT_EQ(file.keywords[0].keyword, "keyword number 100000");
    EXPECT_EQ(file.keywords.back().keyword, "shared") << "keywords in their sorting order";
    EXPECT_EQ(file.keywords.back().topicOffsets.size(), static_cast<size_t>(kCount));
    for (size_t i = 1; i < file.keywordMap.size(); ++i) {
        const KeywordMapEntry& entry = file.keywordMap[i];
        EXPECT_EQ(+entry.page, i);
        EXPECT_GT(+entry.firstKeyword, +file.keywordMap[i - 1].firstKeyword);
    }
}

TEST(HelpFile, RefusesAParagraphLongerThanABlockWithItsLine) {
    const std::string header = "@title T\n@codepage 1252\n@language 0x0409\n@contents 1\n@popup 1\nShort.\n\n";
    // 3630 bytes of records a block: the record header, formatting and NULs
    // leave 3590 bytes for the text of a popup's later paragraph.
    for (const auto& [length, fits] : {std::pair{3590, true}, std::pair{3591, false}}) {
        const std::string source = header + std::string(length, 'x') + "\n";
        std::vector<uint8_t> helpFile;
        SourceError error;
        EXPECT_EQ(CompileHelpSource(source, helpFile, error), fits) << length;
        if (!fits) {
            EXPECT_EQ(error.line, 8);
            EXPECT_NE(error.message.find("the paragraph is too long"), std::string::npos) << error.message;
        }
    }
}

TEST(HelpFile, RefusesContextNumbersWhoseStringsHashAlike) {
    // IDH_23A5E856 and IDH_E556DA3F have the same hash.
    ASSERT_EQ(HashOf(0x23A5E856), HashOf(0xE556DA3F));
    const std::string source =
        "@title T\n@codepage 1252\n@language 0x0409\n@contents 1\n@popup 1 0x23A5E856\nA.\n@popup 0xE556DA3F\nB.\n";
    std::vector<uint8_t> helpFile;
    SourceError error;
    EXPECT_FALSE(CompileHelpSource(source, helpFile, error));
    EXPECT_NE(error.message.find("0x23A5E856 and 0xE556DA3F have the same hash"), std::string::npos) << error.message;
    EXPECT_TRUE(helpFile.empty());
}

}  // namespace
