#include "help_compiler/core/topic_file.h"

#include <cstring>

#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/context_hash.h"
#include "help_compiler/core/help_file_layout.h"
#include "help_compiler/core/lz77.h"

namespace {

// The most bytes of records a block holds.
constexpr size_t kBlockCapacity = LiteralCapacity(kTopicBlockDataSize);
static_assert(kBlockCapacity == 3630);

// Space above every paragraph but a topic's first, in half points.
constexpr int32_t kParagraphSpacing = 12;

struct Record {
    uint8_t type = kRecordText;
    std::vector<uint8_t> data1;  // LinkData1 after the record's header
    std::vector<uint8_t> data2;  // LinkData2
    int topic = -1;              // of the document; -1 for the end record
    int line = 0;

    size_t size() const { return sizeof(TopicLinkHeader) + data1.size() + data2.size(); }
    // The characters of a text record, as TOPICOFFSETs count them: every byte
    // of its strings, NULs included.
    uint32_t characters() const { return type == kRecordText ? static_cast<uint32_t>(data2.size()) : 0; }
};

// A paragraph: its strings in LinkData2, each followed in LinkData1 by the
// command that comes after it.
Record TextRecord(const HelpParagraph& paragraph, uint16_t font, bool first, int topic) {
    ByteWriter strings, commands;
    strings.StringZ("");
    commands.U8(kFormatFont);
    commands.U16(font);
    if (paragraph.jump) {
        strings.StringZ("");
        commands.U8(paragraph.popupTarget ? kFormatPopupJump : kFormatTopicJump);
        commands.U32(static_cast<uint32_t>(ContextHash(ContextName(paragraph.target))));
    }
    strings.StringZ(paragraph.text);
    if (paragraph.jump) {
        commands.U8(kFormatEndHotSpot);
        strings.StringZ("");
    }
    commands.U8(kFormatEndParagraph);
    strings.StringZ("");
    commands.U8(kFormatEnd);

    Record record;
    record.topic = topic;
    record.line = paragraph.line;
    record.data2 = strings.Take();
    ByteWriter data1;
    const auto size = static_cast<int32_t>(record.data2.size());
    // A paragraph that fits into a block has sizes the short forms hold.
    data1.CompressedSigned32(size);     // the text's size
    data1.CompressedUnsigned16(record.characters());
    data1.U8(0);
    data1.U8(0x80);  // 0, biased
    data1.U16(0);    // paragraph id
    data1.U16(first ? 0 : kParagraphSpacingAbove);
    if (!first) data1.CompressedSigned16(kParagraphSpacing);
    data1.Bytes(commands.bytes());
    record.data1 = data1.Take();
    return record;
}

Record HeaderRecord(const std::string& title, int topic, int line) {
    Record record;
    record.type = kRecordTopicHeader;
    record.topic = topic;
    record.line = line;
    record.data1.resize(sizeof(TopicHeader));  // set once the records are placed
    if (topic >= 0) {
        ByteWriter strings;
        strings.StringZ(title);
        record.data2 = strings.Take();
    }
    return record;
}

std::vector<Record> Records(const HelpDocument& document) {
    std::vector<Record> records;
    for (size_t t = 0; t < document.topics.size(); ++t) {
        const HelpTopic& topic = document.topics[t];
        const int index = static_cast<int>(t);
        records.push_back(HeaderRecord(topic.title, index, topic.line));
        bool first = true;
        if (!topic.popup) {
            HelpParagraph heading;
            heading.line = topic.line;
            heading.text = topic.title;
            records.push_back(TextRecord(heading, kBoldFont, true, index));
            first = false;
        }
        for (const HelpParagraph& paragraph : topic.paragraphs) {
            const uint16_t font = paragraph.style == ParagraphStyle::kHeading ? kBoldFont : kBodyFont;
            records.push_back(TextRecord(paragraph, font, first, index));
            first = false;
        }
    }
    records.push_back(HeaderRecord("", -1, 0));
    return records;
}

}  // namespace

bool BuildTopicFile(const HelpDocument& document, TopicFile& file, SourceError& error) {
    std::vector<Record> records = Records(document);

    // Place the records: a block takes them while they fit.
    std::vector<uint32_t> position(records.size());
    std::vector<uint32_t> blockOf(records.size());
    std::vector<uint32_t> offsets(document.topics.size());
    uint32_t block = 0, used = 0, characters = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& record = records[i];
        if (record.size() > kBlockCapacity) {
            error = {record.line, "the paragraph is too long for the help file (" + std::to_string(record.size()) +
                                      " bytes with its formatting, at most " + std::to_string(kBlockCapacity) + ")"};
            return false;
        }
        if (used + record.size() > kBlockCapacity) {
            ++block;
            used = 0;
            characters = 0;
        }
        position[i] = TopicPos(block, used);
        blockOf[i] = block;
        if (record.type == kRecordTopicHeader && record.topic >= 0) offsets[record.topic] = TopicOffset(block, characters);
        used += static_cast<uint32_t>(record.size());
        characters += record.characters();
    }

    // Link the records and fill in the topic headers.
    std::vector<std::vector<uint8_t>> blocks(block + 1);
    std::vector<TopicBlockHeader> blockHeaders(block + 1, {kNoPosition, kNoPosition, kNoPosition});
    uint32_t lastHeader = kNoPosition;
    for (size_t i = 0; i < records.size(); ++i) {
        Record& record = records[i];
        if (record.type == kRecordTopicHeader) {
            TopicHeader header{static_cast<uint32_t>(record.size()), kNoPosition, kNoPosition,
                               static_cast<uint32_t>(record.topic >= 0 ? record.topic : document.topics.size()),
                               kNoPosition, kNoPosition, kNoPosition};
            size_t next = i + 1;
            for (; next < records.size() && records[next].type != kRecordTopicHeader; ++next)
                header.topicSize += static_cast<uint32_t>(records[next].size());
            if (next > i + 1) header.scrollRegion = position[i + 1];
            if (next < records.size()) header.nextTopic = position[next];
            std::memcpy(record.data1.data(), &header, sizeof header);
        }
        const TopicLinkHeader link{static_cast<uint32_t>(record.size()), static_cast<uint32_t>(record.data2.size()),
                                   i > 0 ? position[i - 1] : kNoPosition,
                                   i + 1 < records.size() ? position[i + 1] : kNoPosition,
                                   static_cast<uint32_t>(sizeof(TopicLinkHeader) + record.data1.size()), record.type};
        std::vector<uint8_t>& data = blocks[blockOf[i]];
        if (data.empty()) {
            blockHeaders[blockOf[i]] = {i > 0 ? position[i - 1] : kNoPosition, position[i], lastHeader};
        }
        const auto* linkBytes = reinterpret_cast<const uint8_t*>(&link);
        data.insert(data.end(), linkBytes, linkBytes + sizeof link);
        data.insert(data.end(), record.data1.begin(), record.data1.end());
        data.insert(data.end(), record.data2.begin(), record.data2.end());
        if (record.type == kRecordTopicHeader) lastHeader = position[i];
    }

    ByteWriter out;
    for (size_t b = 0; b < blocks.size(); ++b) {
        const size_t start = out.size();
        out.Put(blockHeaders[b]);
        out.Bytes(FrameAsLiterals(blocks[b]));
        out.Zeros(start + kTopicBlockSize - out.size());
    }
    file.data = out.Take();
    file.topicOffsets = std::move(offsets);
    return true;
}
