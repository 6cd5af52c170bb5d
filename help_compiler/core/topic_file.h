// |TOPIC: the topics as records in blocks of 4 KB. Each topic is a topic
// header record (its title) and one text record per paragraph; a @topic's
// title is also its first paragraph, in the bold font. A last, empty topic
// header ends the records.
//
// Every block holds whole records and is written in the LZ77 coding with
// literals only, so each block's data, expanded, is exactly its records: no
// block needs more than its 4084 bytes, and TOPICPOS values (block * 16 KB +
// offset) mean the same to every reader.
#pragma once

#include <cstdint>
#include <vector>

#include "help_compiler/core/help_document.h"
#include "help_compiler/core/source_error.h"

// Font numbers of |FONT.
inline constexpr uint16_t kBodyFont = 0;
inline constexpr uint16_t kBoldFont = 1;

struct TopicFile {
    std::vector<uint8_t> data;
    std::vector<uint32_t> topicOffsets;  // TOPICOFFSET of each topic of the document
};

// False, with the paragraph's line, when a paragraph does not fit into a
// block.
bool BuildTopicFile(const HelpDocument& document, TopicFile& file, SourceError& error);
