#include "help_compiler/core/help_file_decoder.h"

#include <algorithm>

#include "help_compiler/core/btree.h"
#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/internal_files.h"
#include "help_compiler/core/lz77.h"

namespace {

class Decoder {
public:
    Decoder(DecodedHelpFile& out, std::string& error) : out_(out), error_(error) {}

    bool Decode(std::span<const uint8_t> file);

private:
    bool Fail(std::string message) {
        error_ = std::move(message);
        return false;
    }
    std::span<const uint8_t> File(const std::string& name) const {
        for (const InternalFileView& file : files_) {
            if (file.name == name) return file.data;
        }
        return {};
    }
    bool Has(const std::string& name) const {
        for (const InternalFileView& file : files_) {
            if (file.name == name) return true;
        }
        return false;
    }
    bool System();
    bool Fonts();
    bool Topics();
    bool TextRecord(std::span<const uint8_t> data1, std::span<const uint8_t> data2, DecodedTopic& topic,
                    uint32_t& characters);
    bool Contexts();
    bool Titles();
    bool Keywords();

    DecodedHelpFile& out_;
    std::string& error_;
    std::vector<InternalFileView> files_;
};

bool Decoder::Decode(std::span<const uint8_t> file) {
    if (!ReadInternalFiles(file, files_, error_)) return false;
    for (const InternalFileView& view : files_) out_.internalFiles.push_back(view.name);
    for (const char* required : {"|SYSTEM", "|FONT", "|TOPIC", "|CONTEXT"}) {
        if (!Has(required)) return Fail(std::string("no ") + required);
    }
    return System() && Fonts() && Topics() && Contexts() && Titles() && Keywords();
}

bool Decoder::System() {
    ByteReader reader(File("|SYSTEM"));
    SystemHeader header{};
    if (!reader.Get(header) || header.magic != kSystemMagic || header.major != 1) return Fail("|SYSTEM: bad header");
    out_.minor = header.minor;
    out_.flags = header.flags;
    while (reader.remaining() > 0) {
        SystemRecordHeader record{};
        if (!reader.Get(record) || record.size > reader.remaining()) return Fail("|SYSTEM: a record runs past the end");
        const size_t end = reader.position() + record.size;
        ByteReader data(File("|SYSTEM").subspan(reader.position(), record.size));
        bool read = true;
        switch (record.type) {
            case kSystemTitle:
                read = data.StringZ(out_.title);
                break;
            case kSystemContents:
                read = data.U32(out_.contentsOffset);
                break;
            case kSystemLcid:
                read = data.Skip(8) && data.U16(out_.language);
                break;
            case kSystemCharset:
                read = data.U8(out_.charset);
                break;
            default:
                break;
        }
        if (!read) return Fail("|SYSTEM: record " + std::to_string(record.type) + " is too short");
        reader.Seek(end);
    }
    return true;
}

bool Decoder::Fonts() {
    const std::span<const uint8_t> data = File("|FONT");
    ByteReader reader(data);
    FontFileHeader header{};
    if (!reader.Get(header) || header.faceCount == 0 || header.descriptorsOffset < header.facesOffset)
        return Fail("|FONT: bad header");
    const size_t faceSize = (header.descriptorsOffset - header.facesOffset) / header.faceCount;
    if (!reader.Seek(header.descriptorsOffset)) return Fail("|FONT: descriptors outside the file");
    for (uint16_t i = 0; i < header.descriptorCount; ++i) {
        FontDescriptor descriptor{};
        if (!reader.Get(descriptor)) return Fail("|FONT: descriptors past the end");
        if (descriptor.face >= header.faceCount) return Fail("|FONT: a descriptor names no face");
        const std::span<const uint8_t> slot = data.subspan(header.facesOffset + descriptor.face * faceSize, faceSize);
        DecodedFont font;
        for (uint8_t c : slot) {
            if (c == 0) break;
            font.face += static_cast<char>(c);
        }
        font.halfPoints = descriptor.halfPoints;
        font.bold = (descriptor.attributes & kFontBold) != 0;
        out_.fonts.push_back(font);
    }
    return true;
}

bool Decoder::Topics() {
    if (out_.minor <= 16 || out_.flags != kSystemFlagsCompressed4k)
        return Fail("|TOPIC: only LZ77-coded 4 KB topic blocks are read");
    const std::span<const uint8_t> data = File("|TOPIC");
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t start = 0; start < data.size(); start += kTopicBlockSize) {
        const size_t size = std::min<size_t>(kTopicBlockSize, data.size() - start);
        if (size < sizeof(TopicBlockHeader)) return Fail("|TOPIC: a block without its header");
        std::vector<uint8_t>& expanded = blocks.emplace_back();
        if (!ExpandLz77(data.subspan(start + sizeof(TopicBlockHeader), size - sizeof(TopicBlockHeader)),
                        kTopicBlockExpandedSize, expanded))
            return Fail("|TOPIC: block " + std::to_string(blocks.size() - 1) + " does not expand");
    }

    uint32_t position = TopicPos(0, 0);
    uint32_t currentBlock = 0, characters = 0;
    size_t records = 0;
    while (position != kNoPosition) {
        if (position < sizeof(TopicBlockHeader)) return Fail("|TOPIC: a record position before the first block");
        const uint32_t block = (position - sizeof(TopicBlockHeader)) / kTopicBlockExpandedSize;
        const uint32_t offset = (position - sizeof(TopicBlockHeader)) % kTopicBlockExpandedSize;
        if (block >= blocks.size()) return Fail("|TOPIC: a record position outside the blocks");
        if (++records > data.size() / sizeof(TopicLinkHeader)) return Fail("|TOPIC: the records run in a circle");
        if (block != currentBlock) {
            currentBlock = block;
            characters = 0;
        }
        const std::span<const uint8_t> expanded(blocks[block]);
        ByteReader reader(expanded);
        TopicLinkHeader link{};
        if (!reader.Seek(offset) || !reader.Get(link) || link.data1Size < sizeof link ||
            link.blockSize < link.data1Size || link.blockSize > expanded.size() - offset)
            return Fail("|TOPIC: a record runs past its block");
        if (link.data2Size != link.blockSize - link.data1Size)
            return Fail("|TOPIC: a record's text is compressed, which is not read");
        const auto data1 = expanded.subspan(offset + sizeof link, link.data1Size - sizeof link);
        const auto data2 = expanded.subspan(offset + link.data1Size, link.data2Size);
        if (link.recordType == kRecordTopicHeader) {
            DecodedTopic& topic = out_.topics.emplace_back();
            topic.offset = TopicOffset(block, characters);
            ByteReader title(data2);
            if (!data2.empty() && !title.StringZ(topic.title)) return Fail("|TOPIC: a title without its NUL");
        } else if (link.recordType == kRecordText) {
            if (out_.topics.empty()) return Fail("|TOPIC: text before the first topic");
            if (!TextRecord(data1, data2, out_.topics.back(), characters)) return false;
        } else {
            return Fail("|TOPIC: record type " + std::to_string(link.recordType) + " is not read");
        }
        position = link.nextLink;
    }
    // The last topic header only ends the records.
    if (!out_.topics.empty() && out_.topics.back().paragraphs.empty() && out_.topics.back().title.empty())
        out_.topics.pop_back();
    return true;
}

bool Decoder::TextRecord(std::span<const uint8_t> data1, std::span<const uint8_t> data2, DecodedTopic& topic,
                         uint32_t& characters) {
    ByteReader format(data1);
    int32_t size = 0, skipped = 0;
    uint32_t length = 0;
    uint8_t unknown[2];
    uint16_t id = 0, bits = 0;
    if (!format.CompressedSigned32(size) || !format.CompressedUnsigned16(length) || !format.Raw(unknown, 2) ||
        !format.U16(id) || !format.U16(bits))
        return Fail("|TOPIC: a text record's header is cut short");
    characters += length;
    DecodedParagraph paragraph;
    if (bits & kParagraphUnknownFollows) format.CompressedSigned32(skipped);
    if (bits & kParagraphSpacingAbove) format.CompressedSigned16(paragraph.spacingAbove);
    for (uint16_t bit : {kParagraphSpacingBelow, kParagraphSpacingLines, kParagraphLeftIndent, kParagraphRightIndent,
                         kParagraphFirstLineIndent}) {
        if (bits & bit) format.CompressedSigned16(skipped);
    }
    if (bits & kParagraphBorder) format.Skip(3);
    if (bits & kParagraphTabs) {
        int32_t tabs = 0;
        format.CompressedSigned16(tabs);
        for (int32_t i = 0; i < tabs && format.ok(); ++i) {
            uint32_t stop = 0, type = 0;
            format.CompressedUnsigned16(stop);
            if (stop & 0x4000) format.CompressedUnsigned16(type);
        }
    }
    if (!format.ok()) return Fail("|TOPIC: a text record's paragraph information is cut short");

    ByteReader strings(data2);
    for (;;) {
        std::string text;
        uint8_t command = 0;
        if (!strings.StringZ(text)) return Fail("|TOPIC: a text record's strings end early");
        paragraph.text += text;
        if (!format.U8(command)) return Fail("|TOPIC: a text record's formatting ends early");
        if (command == kFormatEnd) break;
        uint16_t font = 0;
        uint32_t hash = 0;
        switch (command) {
            case kFormatFont:
                if (!format.U16(font)) return Fail("|TOPIC: a font change is cut short");
                paragraph.font = font;
                break;
            case kFormatEndParagraph: {
                const uint16_t current = paragraph.font;
                topic.paragraphs.push_back(std::move(paragraph));
                paragraph = {};
                paragraph.font = current;
                break;
            }
            case kFormatEndHotSpot:
                break;
            case kFormatPopupJump:
            case kFormatTopicJump:
                if (!format.U32(hash)) return Fail("|TOPIC: a jump is cut short");
                paragraph.jump = true;
                paragraph.popupJump = command == kFormatPopupJump;
                paragraph.jumpHash = static_cast<int32_t>(hash);
                break;
            default:
                return Fail("|TOPIC: formatting command " + std::to_string(command) + " is not read");
        }
    }
    if (!paragraph.text.empty()) topic.paragraphs.push_back(std::move(paragraph));
    return true;
}

bool Decoder::Contexts() {
    const bool read = ForEachLeafEntry(File("|CONTEXT"), [&](ByteReader& entry) {
        uint32_t hash = 0, offset = 0;
        if (!entry.U32(hash) || !entry.U32(offset)) return false;
        out_.contexts[static_cast<int32_t>(hash)] = offset;
        return true;
    });
    if (!read) return Fail("|CONTEXT is damaged");
    if (!Has("|CTXOMAP")) return true;
    ByteReader map(File("|CTXOMAP"));
    uint16_t count = 0;
    if (!map.U16(count)) return Fail("|CTXOMAP is empty");
    for (uint16_t i = 0; i < count; ++i) {
        ContextMapEntry entry{};
        if (!map.Get(entry)) return Fail("|CTXOMAP: entries past the end");
        out_.contextMap[entry.contextNumber] = entry.topicOffset;
    }
    return true;
}

bool Decoder::Titles() {
    if (!Has("|TTLBTREE")) return true;
    const bool read = ForEachLeafEntry(File("|TTLBTREE"), [&](ByteReader& entry) {
        uint32_t offset = 0;
        std::string title;
        if (!entry.U32(offset) || !entry.StringZ(title)) return false;
        out_.titles[offset] = title;
        return true;
    });
    return read || Fail("|TTLBTREE is damaged");
}

bool Decoder::Keywords() {
    if (!Has("|KWBTREE")) return true;
    ByteReader data(File("|KWDATA"));
    const bool read = ForEachLeafEntry(File("|KWBTREE"), [&](ByteReader& entry) {
        DecodedKeyword keyword;
        uint16_t count = 0;
        uint32_t offset = 0;
        if (!entry.StringZ(keyword.keyword) || !entry.U16(count) || !entry.U32(offset) || !data.Seek(offset))
            return false;
        for (uint16_t i = 0; i < count; ++i) {
            if (!data.U32(keyword.topicOffsets.emplace_back())) return false;
        }
        out_.keywords.push_back(std::move(keyword));
        return true;
    });
    if (!read) return Fail("|KWBTREE or |KWDATA is damaged");
    ByteReader map(File("|KWMAP"));
    while (map.remaining() >= sizeof(KeywordMapEntry)) map.Get(out_.keywordMap.emplace_back());
    return true;
}

}  // namespace

const DecodedTopic* DecodedHelpFile::TopicAt(uint32_t offset) const {
    for (const DecodedTopic& topic : topics) {
        if (topic.offset == offset) return &topic;
    }
    return nullptr;
}

const DecodedTopic* DecodedHelpFile::TopicOfContext(uint32_t context) const {
    const auto entry = contextMap.find(context);
    return entry == contextMap.end() ? nullptr : TopicAt(entry->second);
}

bool DecodeHelpFile(std::span<const uint8_t> file, DecodedHelpFile& decoded, std::string& error) {
    DecodedHelpFile out;
    Decoder decoder(out, error);
    if (!decoder.Decode(file)) return false;
    decoded = std::move(out);
    return true;
}
