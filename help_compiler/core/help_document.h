// A help file's content with its texts in the file's code page: what the
// writer lays out and what the decoder gives back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help_compiler/core/help_source.h"
#include "help_compiler/core/source_error.h"

enum class ParagraphStyle { kBody, kHeading };

struct HelpParagraph {
    int line = 0;  // in the source, for the writer's errors
    ParagraphStyle style = ParagraphStyle::kBody;
    std::string text;  // code page bytes
    bool jump = false;
    uint32_t target = 0;       // a jump's context number
    bool popupTarget = false;  // a jump to a popup topic opens it as a popup
};

struct HelpTopic {
    int line = 0;
    bool popup = false;
    std::string title;  // a popup has none
    std::vector<uint32_t> contexts;
    std::vector<HelpParagraph> paragraphs;
    std::vector<std::string> keywords;
};

struct HelpDocument {
    int codePage = 1252;
    uint16_t language = 0x0409;
    std::string title;
    uint32_t contents = 0;  // context number of the contents topic
    std::vector<HelpTopic> topics;
};

// The longest topic title or keyword, in bytes of the code page.
inline constexpr size_t kMaxIndexText = 255;

// source with every text in its code page; false, with the line, on a
// character the code page lacks, text that is no UTF-8, or a title or
// keyword longer than kMaxIndexText.
bool EncodeHelpSource(const HelpSource& source, HelpDocument& document, SourceError& error);
