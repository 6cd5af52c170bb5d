// The fixed records of a WinHelp 4.0 help file (.hlp), little-endian and
// packed as they lie on disk. Variable-length parts (strings, compressed
// numbers, B+ tree entries) are written and read field by field.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "the records are copied as they lie on disk");

#pragma pack(push, 1)

// At offset 0 of the file.
struct HelpFileHeader {
    uint32_t magic;           // kHelpFileMagic
    uint32_t directoryStart;  // offset of the directory's InternalFileHeader
    uint32_t firstFreeBlock;  // 0xFFFFFFFF: no free list
    uint32_t fileSize;        // of the whole file
};
static_assert(sizeof(HelpFileHeader) == 16);

// In front of every internal file and of the directory.
struct InternalFileHeader {
    uint32_t reservedSpace;  // this header and the data: readers take it as the file's end
    uint32_t usedSpace;      // the data
    uint8_t flags;           // kInternalFileFlags
};
static_assert(sizeof(InternalFileHeader) == 9);

// In front of a B+ tree (the directory, |CONTEXT, |TTLBTREE, |KWBTREE).
struct BTreeHeader {
    uint16_t magic;  // kBTreeMagic
    uint16_t flags;  // kBTreeFlags, with kBTreeDirectoryFlag for the directory
    uint16_t pageSize;
    char structure[16];  // what an entry holds, e.g. "z4": a string and a long
    int16_t mustBeZero;
    int16_t pageSplits;
    int16_t rootPage;
    int16_t mustBeMinusOne;
    int16_t totalPages;
    int16_t levels;
    int32_t totalEntries;
};
static_assert(sizeof(BTreeHeader) == 38);

// Each page of a B+ tree starts with one of these; the entries follow.
struct BTreeLeafHeader {
    uint16_t unusedBytes;  // at the page's end
    int16_t entries;
    int16_t previousPage;  // -1 on the first leaf
    int16_t nextPage;      // -1 on the last leaf
};
static_assert(sizeof(BTreeLeafHeader) == 8);

struct BTreeIndexHeader {
    uint16_t unusedBytes;
    int16_t entries;
    int16_t firstPage;  // the page below for keys before the first entry's
};
static_assert(sizeof(BTreeIndexHeader) == 6);

// The start of |SYSTEM; records of type, size and data follow.
struct SystemHeader {
    uint16_t magic;  // kSystemMagic
    uint16_t minor;  // kHelpFormatMinor
    uint16_t major;  // 1
    uint32_t generated;  // seconds since 1980, or 0
    uint16_t flags;      // kSystemFlagsCompressed4k
};
static_assert(sizeof(SystemHeader) == 12);

struct SystemRecordHeader {
    uint16_t type;
    uint16_t size;  // of the data that follows
};
static_assert(sizeof(SystemRecordHeader) == 4);

// The start of |FONT; face names and descriptors follow.
struct FontFileHeader {
    uint16_t faceCount;
    uint16_t descriptorCount;
    uint16_t facesOffset;        // from the start of this header
    uint16_t descriptorsOffset;  // from the start of this header
};
static_assert(sizeof(FontFileHeader) == 8);

struct FontDescriptor {
    uint8_t attributes;  // kFontBold, ...
    uint8_t halfPoints;
    uint8_t family;      // kFontFamilySwiss, ...
    uint16_t face;       // index into the face names
    uint8_t foreground[3];
    uint8_t background[3];
};
static_assert(sizeof(FontDescriptor) == 11);

// Each block of |TOPIC starts with this; the block's (compressed) records follow.
struct TopicBlockHeader {
    uint32_t lastLinkOfPreviousBlock;  // TOPICPOS, or 0xFFFFFFFF in the first block
    uint32_t firstLink;                // TOPICPOS of the first record starting in this block
    uint32_t lastTopicHeader;          // TOPICPOS of the last topic header before this block
};
static_assert(sizeof(TopicBlockHeader) == 12);

// A record of |TOPIC (a "topic link"): a topic header or a paragraph.
struct TopicLinkHeader {
    uint32_t blockSize;    // this header, LinkData1 and LinkData2
    uint32_t data2Size;    // LinkData2 (stored uncompressed: its size in the record)
    uint32_t previousLink; // TOPICPOS
    uint32_t nextLink;     // TOPICPOS, 0xFFFFFFFF after the last record
    uint32_t data1Size;    // this header and LinkData1
    uint8_t recordType;    // kRecordTopicHeader or kRecordText
};
static_assert(sizeof(TopicLinkHeader) == 21);

// LinkData1 of a topic header record; LinkData2 holds the title, NUL-terminated.
struct TopicHeader {
    uint32_t topicSize;     // the records of the topic together
    uint32_t browseBack;    // TOPICOFFSET, 0xFFFFFFFF: no browse sequence
    uint32_t browseForward;
    uint32_t topicNumber;
    uint32_t nonScrollRegion;  // TOPICPOS, 0xFFFFFFFF: none
    uint32_t scrollRegion;     // TOPICPOS of the first paragraph
    uint32_t nextTopic;        // TOPICPOS of the next topic header
};
static_assert(sizeof(TopicHeader) == 28);

// |CTXOMAP: a count, then these.
struct ContextMapEntry {
    uint32_t contextNumber;
    uint32_t topicOffset;
};
static_assert(sizeof(ContextMapEntry) == 8);

// |KWMAP: one for each leaf page of |KWBTREE.
struct KeywordMapEntry {
    uint32_t firstKeyword;  // the number of the first keyword on the page
    uint16_t page;
};
static_assert(sizeof(KeywordMapEntry) == 6);

#pragma pack(pop)

inline constexpr uint32_t kHelpFileMagic = 0x00035F3Fu;
inline constexpr uint8_t kInternalFileFlags = 4;
inline constexpr uint16_t kBTreeMagic = 0x293B;
inline constexpr uint16_t kBTreeFlags = 0x0002;
inline constexpr uint16_t kBTreeDirectoryFlag = 0x0400;
inline constexpr uint16_t kDirectoryPageSize = 1024;
inline constexpr uint16_t kIndexPageSize = 2048;

inline constexpr uint16_t kSystemMagic = 0x036C;
// 33: the format of the Windows 95 help compiler, which has the LCID and
// charset records; 21 was Windows 3.1's.
inline constexpr uint16_t kHelpFormatMinor = 33;
// LZ77-compressed topic blocks of 4 KB, each expanding to at most 16 KB.
inline constexpr uint16_t kSystemFlagsCompressed4k = 4;
inline constexpr uint32_t kTopicBlockSize = 4096;
inline constexpr uint32_t kTopicBlockDataSize = kTopicBlockSize - sizeof(TopicBlockHeader);
inline constexpr uint32_t kTopicBlockExpandedSize = 0x4000;

enum SystemRecordType : uint16_t {
    kSystemTitle = 1,
    kSystemContents = 3,
    kSystemLcid = 9,
    kSystemCharset = 11,
    kSystemDefaultFont = 12,
};

enum TopicRecordType : uint8_t {
    kRecordTopicHeader = 0x02,
    kRecordText = 0x20,
};

// Paragraph information of a text record: which optional fields follow.
enum ParagraphInfoBits : uint16_t {
    kParagraphUnknownFollows = 0x0001,
    kParagraphSpacingAbove = 0x0002,
    kParagraphSpacingBelow = 0x0004,
    kParagraphSpacingLines = 0x0008,
    kParagraphLeftIndent = 0x0010,
    kParagraphRightIndent = 0x0020,
    kParagraphFirstLineIndent = 0x0040,
    kParagraphBorder = 0x0100,
    kParagraphTabs = 0x0200,
};

// Character formatting commands of a text record's LinkData1.
enum FormatCommand : uint8_t {
    kFormatFont = 0x80,          // + uint16 font number
    kFormatEndParagraph = 0x82,
    kFormatEndHotSpot = 0x89,
    kFormatPopupJump = 0xE2,     // + int32 context hash
    kFormatTopicJump = 0xE3,     // + int32 context hash
    kFormatEnd = 0xFF,
};

inline constexpr uint8_t kFontBold = 0x01;
inline constexpr uint8_t kFontFamilySwiss = 0x03;

// Windows charsets, as LOGFONT has them.
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kShiftJisCharset = 128;

// Position of a record in |TOPIC: block number and offset in the block's
// expanded data.
inline constexpr uint32_t TopicPos(uint32_t block, uint32_t offset) {
    return sizeof(TopicBlockHeader) + block * kTopicBlockExpandedSize + offset;
}
// Position of a character in the topics: block number and the count of
// characters of the block's text records before it.
inline constexpr uint32_t TopicOffset(uint32_t block, uint32_t characters) { return block * 0x8000u + characters; }

inline constexpr uint32_t kNoPosition = 0xFFFFFFFFu;
