#include "help_compiler/core/btree.h"

#include <cstring>

namespace {

struct PageRef {
    std::vector<uint8_t> firstKey;
    int16_t page;
};

std::vector<uint8_t> PageBytes(uint16_t pageSize, const auto& header, const ByteWriter& entries) {
    ByteWriter page;
    auto filled = header;
    filled.unusedBytes = static_cast<uint16_t>(pageSize - sizeof header - entries.size());
    page.Put(filled);
    page.Bytes(entries.bytes());
    page.Zeros(filled.unusedBytes);
    return page.Take();
}

}  // namespace

bool BuildBTree(const BTreeFormat& format, std::span<const BTreeEntry> entries, std::vector<uint8_t>& tree,
                std::vector<uint32_t>* firstEntries) {
    const size_t leafRoom = format.pageSize - sizeof(BTreeLeafHeader);
    const size_t indexRoom = format.pageSize - sizeof(BTreeIndexHeader);
    std::vector<std::vector<uint8_t>> pages;
    std::vector<PageRef> level;

    // Leaves, filled in order; their links are set once all are known.
    std::vector<BTreeLeafHeader> leafHeaders;
    std::vector<ByteWriter> leafEntries;
    std::vector<uint32_t> leafFirsts;
    for (const BTreeEntry& entry : entries) {
        const size_t size = entry.key.size() + entry.value.size();
        if (size > leafRoom || entry.key.size() + 2 > indexRoom) return false;
        if (leafEntries.empty() || leafEntries.back().size() + size > leafRoom) {
            leafEntries.emplace_back();
            leafHeaders.push_back({0, 0, 0, 0});
            leafFirsts.push_back(static_cast<uint32_t>(&entry - entries.data()));
            level.push_back({entry.key, static_cast<int16_t>(level.size())});
        }
        leafEntries.back().Bytes(entry.key);
        leafEntries.back().Bytes(entry.value);
        ++leafHeaders.back().entries;
    }
    if (leafEntries.empty()) {
        leafEntries.emplace_back();
        leafHeaders.push_back({0, 0, 0, 0});
        leafFirsts.push_back(0);
        level.push_back({{}, 0});
    }
    const auto leaves = static_cast<int16_t>(leafEntries.size());
    for (int16_t i = 0; i < leaves; ++i) {
        leafHeaders[i].previousPage = static_cast<int16_t>(i - 1);
        leafHeaders[i].nextPage = i + 1 < leaves ? static_cast<int16_t>(i + 1) : int16_t{-1};
        pages.push_back(PageBytes(format.pageSize, leafHeaders[i], leafEntries[i]));
    }

    // Index levels until one page holds them all.
    int16_t levels = 1;
    while (level.size() > 1) {
        std::vector<PageRef> above;
        size_t next = 0;
        while (next < level.size()) {
            BTreeIndexHeader header{0, 0, level[next].page};
            const std::vector<uint8_t> firstKey = level[next].firstKey;
            ByteWriter indexEntries;
            for (++next; next < level.size(); ++next) {
                const size_t size = level[next].firstKey.size() + 2;
                if (indexEntries.size() + size > indexRoom) break;
                indexEntries.Bytes(level[next].firstKey);
                indexEntries.U16(static_cast<uint16_t>(level[next].page));
                ++header.entries;
            }
            above.push_back({firstKey, static_cast<int16_t>(pages.size())});
            pages.push_back(PageBytes(format.pageSize, header, indexEntries));
        }
        level = std::move(above);
        ++levels;
    }

    BTreeHeader header{};
    header.magic = kBTreeMagic;
    header.flags = format.flags;
    header.pageSize = format.pageSize;
    std::strncpy(header.structure, format.structure, sizeof header.structure - 1);
    header.mustBeZero = 0;
    header.pageSplits = 0;
    header.rootPage = level.front().page;
    header.mustBeMinusOne = -1;
    header.totalPages = static_cast<int16_t>(pages.size());
    header.levels = levels;
    header.totalEntries = static_cast<int32_t>(entries.size());
    ByteWriter out;
    out.Put(header);
    for (const std::vector<uint8_t>& page : pages) out.Bytes(page);
    tree = out.Take();
    if (firstEntries != nullptr) *firstEntries = std::move(leafFirsts);
    return true;
}

bool ReadBTreeHeader(std::span<const uint8_t> tree, BTreeHeader& header) {
    ByteReader reader(tree);
    BTreeHeader read{};
    if (!reader.Get(read) || read.magic != kBTreeMagic || read.pageSize < sizeof(BTreeLeafHeader) ||
        read.totalPages <= 0 || read.levels <= 0 ||
        reader.remaining() < static_cast<size_t>(read.totalPages) * read.pageSize)
        return false;
    header = read;
    return true;
}

bool ForEachLeafEntry(std::span<const uint8_t> tree, const std::function<bool(ByteReader&)>& visit) {
    BTreeHeader header{};
    if (!ReadBTreeHeader(tree, header)) return false;
    const auto page = [&](int16_t number) {
        return tree.subspan(sizeof header + static_cast<size_t>(number) * header.pageSize, header.pageSize);
    };

    // Down the first index entries to the first leaf.
    int16_t current = header.rootPage;
    for (int16_t level = 1; level < header.levels; ++level) {
        if (current < 0 || current >= header.totalPages) return false;
        ByteReader reader(page(current));
        BTreeIndexHeader index{};
        if (!reader.Get(index)) return false;
        current = index.firstPage;
    }

    // Along the leaves, each page at most once.
    for (int16_t visited = 0; current != -1; ++visited) {
        if (current < 0 || current >= header.totalPages || visited >= header.totalPages) return false;
        ByteReader reader(page(current));
        BTreeLeafHeader leaf{};
        if (!reader.Get(leaf) || leaf.entries < 0) return false;
        for (int16_t i = 0; i < leaf.entries; ++i) {
            if (!visit(reader) || !reader.ok()) return false;
        }
        current = leaf.nextPage;
    }
    return true;
}
