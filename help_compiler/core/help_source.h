// The suite's help source: a UTF-8 text of header directives (@title,
// @codepage, @language, @contents), then topics (@topic, @popup) with their
// paragraphs, headings, jumps and keywords. docs/help.md describes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help_compiler/core/source_error.h"

// A piece of text as the source has it (UTF-8), with its line.
struct SourceText {
    int line = 0;
    std::string text;
};

enum class ParagraphKind { kText, kHeading, kJump };

struct SourceParagraph {
    ParagraphKind kind = ParagraphKind::kText;
    // The lines of a text paragraph, joined with one space; one piece for a
    // heading or a jump.
    std::vector<SourceText> pieces;
    uint32_t target = 0;  // the context number a jump leads to
};

struct SourceTopic {
    int line = 0;
    bool popup = false;
    std::vector<uint32_t> contexts;
    SourceText title;  // empty for a popup
    std::vector<SourceParagraph> paragraphs;
    std::vector<SourceText> keywords;
};

struct HelpSource {
    SourceText title;
    int codePage = 0;
    uint16_t language = 0;
    uint32_t contents = 0;
    std::vector<SourceTopic> topics;
};

// The source of text, checked: every directive known, the header complete
// and given once, every context number once, every jump and the contents
// leading to a topic, no text outside a topic, no topic without text.
// False, with the first fault in error, otherwise. Characters are checked
// against the code page when the source is encoded (EncodeHelpSource).
bool ParseHelpSource(std::string_view text, HelpSource& source, SourceError& error);
