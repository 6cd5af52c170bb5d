#include "help_compiler/core/help_document.h"

#include <gtest/gtest.h>

namespace {

std::string Source(int codePage, const std::string& title, const std::string& body) {
    return "@title " + title + "\n@codepage " + std::to_string(codePage) +
           "\n@language 0x0409\n@contents 0x20080\n@topic 0x20080 | Contents\n" + body;
}

bool Encode(const std::string& text, HelpDocument& document, SourceError& error) {
    HelpSource source;
    return ParseHelpSource(text, source, error) && EncodeHelpSource(source, document, error);
}

TEST(HelpDocument, WritesTheTextsInTheCodePage) {
    struct Row {
        int codePage;
        std::string utf8;
        std::string bytes;
    };
    const Row rows[] = {
        {1252, "Café – “Fuel”\tgauge", "Caf\xE9 \x96 \x93" "Fuel\x94 gauge"},
        {1252, "Größe ÿ € ™", "Gr\xF6\xDF" "e \xFF \x80 \x99"},
        {932, "電源モード", "\x93\x64\x8C\xB9\x83\x82\x81\x5B\x83\x68"},
        {932, "ﾊﾞｯﾃﾘ 100%", "\xCA\xDE\xAF\xC3\xD8 100%"},
        {932, "①～", "\x87\x40\x81\x60"},
    };
    for (const Row& row : rows) {
        HelpDocument document;
        SourceError error;
        ASSERT_TRUE(Encode(Source(row.codePage, row.utf8, row.utf8 + "\n"), document, error))
            << row.utf8 << ": " << error.message;
        EXPECT_EQ(document.codePage, row.codePage);
        EXPECT_EQ(document.title, row.bytes) << row.utf8;
        ASSERT_EQ(document.topics[0].paragraphs.size(), 1u);
        EXPECT_EQ(document.topics[0].paragraphs[0].text, row.bytes) << row.utf8;
    }
}

TEST(HelpDocument, JoinsLinesAndMarksJumpsToPopups) {
    HelpDocument document;
    SourceError error;
    ASSERT_TRUE(Encode(Source(1252, "T",
                              "One\nparagraph.\n@heading Next\n@jump 0x50400 | Popup\n@jump 0x20080 | Back\n"
                              "@keywords a; b\n@popup 0x50400\nText.\n"),
                       document, error))
        << error.message;
    const HelpTopic& topic = document.topics[0];
    ASSERT_EQ(topic.paragraphs.size(), 4u);
    EXPECT_EQ(topic.paragraphs[0].text, "One paragraph.");
    EXPECT_EQ(topic.paragraphs[0].style, ParagraphStyle::kBody);
    EXPECT_EQ(topic.paragraphs[1].style, ParagraphStyle::kHeading);
    EXPECT_TRUE(topic.paragraphs[2].jump);
    EXPECT_TRUE(topic.paragraphs[2].popupTarget);
    EXPECT_EQ(topic.paragraphs[2].target, 0x50400u);
    EXPECT_TRUE(topic.paragraphs[3].jump);
    EXPECT_FALSE(topic.paragraphs[3].popupTarget);
    EXPECT_EQ(topic.keywords, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(document.topics[1].popup);
}

TEST(HelpDocument, RefusesCharactersTheCodePageLacksWithTheirLine) {
    struct Row {
        const char* what;
        std::string text;
        int line;
        std::string message;
    };
    const std::string longTitle(256, 'x');
    const Row rows[] = {
        {"kanji in 1252", Source(1252, "T", "Fine.\nBut 電源 is not.\n"), 7, "code page 1252 has no character U+96FB '電'"},
        {"euro in 932", Source(932, "T", "100 €\n"), 6, "code page 932 has no character U+20AC '€'"},
        {"in the title", Source(1252, "Power → Help", "Text.\n"), 1, "U+2192 '→'"},
        {"in a keyword", Source(1252, "T", "Text.\n@keywords fine; ≈\n"), 7, "U+2248 '≈'"},
        {"in a jump", Source(1252, "T", "@jump 0x20080 | ✓ Back\n"), 6, "U+2713 '✓'"},
        {"a control character", Source(1252, "T", "Bell\x07.\n"), 6, "code page 1252 has no character U+0007"},
        {"not UTF-8", Source(1252, "T", "Caf\xE9.\n"), 6, "the line is not UTF-8"},
        {"an overlong sequence", Source(1252, "T", "\xC0\xAF\n"), 6, "the line is not UTF-8"},
        {"a title too long", Source(1252, "T", "Text.\n@topic 0x20081 | " + longTitle + "\nText.\n"), 7,
         "the title is longer than 255 bytes"},
    };
    for (const Row& row : rows) {
        HelpDocument document;
        SourceError error;
        EXPECT_FALSE(Encode(row.text, document, error)) << row.what;
        EXPECT_EQ(error.line, row.line) << row.what;
        EXPECT_NE(error.message.find(row.message), std::string::npos) << row.what << ": " << error.message;
        EXPECT_TRUE(document.topics.empty()) << row.what;
    }
}

}  // namespace
