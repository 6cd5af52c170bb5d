#include "help_compiler/core/help_source.h"

#include <gtest/gtest.h>

namespace {

constexpr char kHeader[] =
    "@title Power Help\n"
    "@codepage 1252\n"
    "@language 0x0409\n"
    "@contents 0x20080\n";

std::vector<std::string> Texts(const SourceParagraph& paragraph) {
    std::vector<std::string> texts;
    for (const SourceText& piece : paragraph.pieces) texts.push_back(piece.text);
    return texts;
}

TEST(HelpSource, ReadsHeaderTopicsParagraphsJumpsAndKeywords) {
    const std::string text = std::string("\xEF\xBB\xBF# A comment before the header\r\n") + kHeader +
                             "\n"
                             "@topic 0x20080 | Contents\n"
                             "  The first line\n"
                             "and the second\tline.\n"
                             "\n"
                             "# comments and blank lines end nothing but paragraphs\n"
                             "A second paragraph.\n"
                             "@heading See also\n"
                             "@jump 0x50400 |  The Enable button \n"
                             "@keywords  battery; power  mode ;;\n"
                             "@popup 0x50400 328705\n"
                             "Turns the device on.\n";
    HelpSource source;
    SourceError error;
    ASSERT_TRUE(ParseHelpSource(text, source, error)) << error.line << ": " << error.message;

    EXPECT_EQ(source.title.text, "Power Help");
    EXPECT_EQ(source.title.line, 2);
    EXPECT_EQ(source.codePage, 1252);
    EXPECT_EQ(source.language, 0x0409);
    EXPECT_EQ(source.contents, 0x20080u);
    ASSERT_EQ(source.topics.size(), 2u);

    const SourceTopic& contents = source.topics[0];
    EXPECT_FALSE(contents.popup);
    EXPECT_EQ(contents.line, 7);
    EXPECT_EQ(contents.title.text, "Contents");
    EXPECT_EQ(contents.contexts, std::vector<uint32_t>{0x20080});
    ASSERT_EQ(contents.paragraphs.size(), 4u);
    EXPECT_EQ(contents.paragraphs[0].kind, ParagraphKind::kText);
    EXPECT_EQ(Texts(contents.paragraphs[0]), (std::vector<std::string>{"The first line", "and the second\tline."}));
    EXPECT_EQ(contents.paragraphs[0].pieces[1].line, 9);
    EXPECT_EQ(Texts(contents.paragraphs[1]), std::vector<std::string>{"A second paragraph."});
    EXPECT_EQ(contents.paragraphs[2].kind, ParagraphKind::kHeading);
    EXPECT_EQ(Texts(contents.paragraphs[2]), std::vector<std::string>{"See also"});
    EXPECT_EQ(contents.paragraphs[3].kind, ParagraphKind::kJump);
    EXPECT_EQ(contents.paragraphs[3].target, 0x50400u);
    EXPECT_EQ(Texts(contents.paragraphs[3]), std::vector<std::string>{"The Enable button"});
    ASSERT_EQ(contents.keywords.size(), 2u);
    EXPECT_EQ(contents.keywords[0].text, "battery");
    EXPECT_EQ(contents.keywords[1].text, "power  mode");

    const SourceTopic& popup = source.topics[1];
    EXPECT_TRUE(popup.popup);
    EXPECT_TRUE(popup.title.text.empty());
    EXPECT_EQ(popup.contexts, (std::vector<uint32_t>{0x50400, 328705}));
    ASSERT_EQ(popup.paragraphs.size(), 1u);
    EXPECT_EQ(Texts(popup.paragraphs[0]), std::vector<std::string>{"Turns the device on."});
}

struct Malformed {
    const char* what;
    std::string text;
    int line;
    const char* message;
};

std::string WithHeader(const std::string& body) { return kHeader + body; }

const std::string kTopic = "@topic 0x20080 | Contents\nText.\n";

const Malformed kMalformed[] = {
    {"unknown directive", WithHeader(kTopic + "@bold Text\n"), 7, "unknown directive @bold"},
    {"directive case", WithHeader(kTopic + "@Heading Text\n"), 7, "unknown directive @Heading"},
    {"header missing", "@title T\n@codepage 1252\n@contents 0x20080\n" + kTopic, 4,
     "@language is missing"},
    {"header missing, no topic", "@title T\n", 1, "@codepage is missing"},
    {"header repeated", "@title A\n@title B\n", 2, "@title is given twice (first on line 1)"},
    {"header after a topic", WithHeader(kTopic + "@codepage 932\n"), 7, "@codepage belongs before the first topic"},
    {"code page", "@codepage 437\n", 1, "@codepage must be 1252 or 932"},
    {"language", "@language English\n", 1, "@language needs a language id"},
    {"contents", "@contents none\n", 1, "@contents needs a context number"},
    {"no topic", WithHeader("\n"), 5, "the file has no topic"},
    {"context used twice", WithHeader(kTopic + "@popup 0x50400 0x20080\nText.\n"), 7,
     "context number 0x20080 is used twice (first on line 5)"},
    {"context used twice in a topic", WithHeader("@topic 0x20080 0x20080 | C\nText.\n"), 5,
     "context number 0x20080 is used twice"},
    {"jump to no topic", WithHeader(kTopic + "@jump 0x50401 | Enable\n"), 7,
     "no topic has the context number 0x50401"},
    {"contents without a topic", WithHeader("@topic 0x20081 | Other\nText.\n"), 4,
     "no topic has the contents' context number 0x20080"},
    {"text outside a topic", WithHeader("Stray text.\n" + kTopic), 5, "text outside a topic"},
    {"heading outside a topic", WithHeader("@heading H\n" + kTopic), 5, "@heading outside a topic"},
    {"empty topic", WithHeader("@topic 0x20080 | Contents\n\n@popup 0x50400\nText.\n"), 5, "the topic has no text"},
    {"empty last topic", WithHeader(kTopic + "@popup 0x50400\n# nothing\n"), 7, "the topic has no text"},
    {"topic without title", WithHeader("@topic 0x20080\nText.\n"), 5, "@topic needs context numbers, '|' and a title"},
    {"topic with an empty title", WithHeader("@topic 0x20080 |\nText.\n"), 5, "@topic needs a title"},
    {"topic without context", WithHeader("@topic | Contents\nText.\n"), 5, "at least one context number"},
    {"popup with title", WithHeader(kTopic + "@popup 0x50400 | Title\nText.\n"), 7, "@popup takes context numbers"},
    {"bad context number", WithHeader(kTopic + "@popup 0x5040G\nText.\n"), 7, "'0x5040G' is no context number"},
    {"context number too large", WithHeader(kTopic + "@popup 0x100000000\nText.\n"), 7, "is no context number"},
    {"jump without text", WithHeader(kTopic + "@jump 0x20080 |\n"), 7, "@jump needs a text"},
    {"jump without bar", WithHeader(kTopic + "@jump 0x20080 Contents\n"), 7, "@jump needs a context number"},
    {"empty heading", WithHeader(kTopic + "@heading\n"), 7, "@heading needs a text"},
    {"empty keywords", WithHeader(kTopic + "@keywords ; ;\n"), 7, "@keywords needs at least one keyword"},
};

TEST(HelpSource, RefusesEachMalformedSourceWithItsLine) {
    for (const Malformed& row : kMalformed) {
        HelpSource source;
        source.title.text = "untouched";
        SourceError error;
        EXPECT_FALSE(ParseHelpSource(row.text, source, error)) << row.what;
        EXPECT_EQ(error.line, row.line) << row.what << ": " << error.message;
        EXPECT_NE(error.message.find(row.message), std::string::npos) << row.what << ": " << error.message;
        EXPECT_EQ(source.title.text, "untouched") << row.what;
    }
}

}  // namespace
