// Reads a help file back: the internal files, the topics with their
// paragraphs and jumps, and the files that find them. It reads the files the
// writer makes (LZ77-coded 4 KB topic blocks, no phrase compression, text
// records without pictures) and checks every offset and size it follows.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "help_compiler/core/help_file_layout.h"

struct DecodedParagraph {
    uint16_t font = 0;
    std::string text;  // code page bytes
    int32_t spacingAbove = 0;
    bool jump = false;
    bool popupJump = false;
    int32_t jumpHash = 0;
};

struct DecodedTopic {
    uint32_t offset = 0;  // TOPICOFFSET
    std::string title;
    std::vector<DecodedParagraph> paragraphs;
};

struct DecodedFont {
    std::string face;
    uint8_t halfPoints = 0;
    bool bold = false;
};

struct DecodedKeyword {
    std::string keyword;
    std::vector<uint32_t> topicOffsets;
};

struct DecodedHelpFile {
    std::vector<std::string> internalFiles;  // in the directory's order
    uint16_t minor = 0;
    uint16_t flags = 0;
    std::string title;
    uint32_t contentsOffset = kNoPosition;
    uint16_t language = 0;
    uint8_t charset = 0;
    std::vector<DecodedFont> fonts;
    std::vector<DecodedTopic> topics;            // without the end record
    std::map<int32_t, uint32_t> contexts;        // |CONTEXT: hash, topic offset
    std::map<uint32_t, uint32_t> contextMap;     // |CTXOMAP: context number, topic offset
    std::map<uint32_t, std::string> titles;      // |TTLBTREE: topic offset, title
    std::vector<DecodedKeyword> keywords;        // |KWBTREE with |KWDATA
    std::vector<KeywordMapEntry> keywordMap;     // |KWMAP

    // The topic that starts at offset, or none.
    const DecodedTopic* TopicAt(uint32_t offset) const;
    // The topic a context number opens, through |CTXOMAP.
    const DecodedTopic* TopicOfContext(uint32_t context) const;
};

// False, with what is wrong in error, when the file is damaged or holds
// what the decoder does not read.
bool DecodeHelpFile(std::span<const uint8_t> file, DecodedHelpFile& decoded, std::string& error);
