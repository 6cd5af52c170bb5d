#include "help_compiler/core/btree.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<uint8_t> Long(int32_t value) {
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

int32_t LongAt(std::span<const uint8_t> bytes, size_t at) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// Entries of |CONTEXT's shape: a signed key and a value, in key order.
std::vector<BTreeEntry> Entries(int count) {
    std::vector<BTreeEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back({Long(i * 3 - 1000), Long(i)});
    return entries;
}

// Finds key the way the help reader does: down the index pages, taking the
// last entry whose key is not above it, then along the leaf.
bool Search(std::span<const uint8_t> tree, int32_t key, int32_t& value) {
    BTreeHeader header{};
    if (!ReadBTreeHeader(tree, header)) return false;
    const auto page = [&](int number) { return tree.subspan(sizeof header + number * header.pageSize, header.pageSize); };
    int current = header.rootPage;
    for (int level = 1; level < header.levels; ++level) {
        const auto bytes = page(current);
        BTreeIndexHeader index{};
        std::memcpy(&index, bytes.data(), sizeof index);
        current = index.firstPage;
        for (int i = 0; i < index.entries; ++i) {
            const size_t at = sizeof index + i * 6;
            if (LongAt(bytes, at) > key) break;
            int16_t below = 0;
            std::memcpy(&below, bytes.data() + at + 4, 2);
            current = below;
        }
    }
    const auto bytes = page(current);
    BTreeLeafHeader leaf{};
    std::memcpy(&leaf, bytes.data(), sizeof leaf);
    for (int i = 0; i < leaf.entries; ++i) {
        const size_t at = sizeof leaf + i * 8;
        if (LongAt(bytes, at) == key) {
            value = LongAt(bytes, at + 4);
            return true;
        }
    }
    return false;
}

TEST(BTree, ManyEntriesMakeLevelsThatFindEachOne) {
    // Pages of 64 bytes hold 7 entries a leaf and 9 pages an index page: 1000
    // entries need four levels.
    const std::vector<BTreeEntry> entries = Entries(1000);
    std::vector<uint8_t> tree;
    std::vector<uint32_t> firstEntries;
    ASSERT_TRUE(BuildBTree({kBTreeFlags, 64, "L4"}, entries, tree, &firstEntries));

    BTreeHeader header{};
    ASSERT_TRUE(ReadBTreeHeader(tree, header));
    EXPECT_EQ(+header.magic, kBTreeMagic);
    EXPECT_EQ(+header.levels, 4);
    EXPECT_EQ(+header.totalEntries, 1000);
    EXPECT_STREQ(header.structure, "L4");
    EXPECT_EQ(+header.mustBeMinusOne, -1);
    EXPECT_EQ(tree.size(), sizeof header + static_cast<size_t>(header.totalPages) * 64);
    ASSERT_EQ(firstEntries.size(), 143u);  // ceil(1000 / 7) leaves
    EXPECT_EQ(firstEntries[1], 7u);

    for (int i = 0; i < 1000; ++i) {
        int32_t value = -1;
        ASSERT_TRUE(Search(tree, i * 3 - 1000, value)) << i;
        EXPECT_EQ(value, i);
    }
    int32_t value = 0;
    EXPECT_FALSE(Search(tree, -999, value)) << "between two keys";
    EXPECT_FALSE(Search(tree, 5000, value)) << "after the last key";
}

TEST(BTree, LeavesGiveTheEntriesInOrder) {
    for (int count : {0, 1, 7, 8, 1000}) {
        std::vector<uint8_t> tree;
        ASSERT_TRUE(BuildBTree({kBTreeFlags, 64, "L4"}, Entries(count), tree));
        std::vector<int32_t> values;
        ASSERT_TRUE(ForEachLeafEntry(tree, [&](ByteReader& entry) {
            uint32_t key = 0, value = 0;
            if (!entry.U32(key) || !entry.U32(value)) return false;
            values.push_back(static_cast<int32_t>(value));
            return true;
        })) << count;
        ASSERT_EQ(values.size(), static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) EXPECT_EQ(values[i], i);
    }
}

TEST(BTree, RefusesAnEntryLargerThanAPage) {
    std::vector<uint8_t> tree;
    const std::vector<BTreeEntry> entries = {{std::vector<uint8_t>(30, 'k'), std::vector<uint8_t>(30, 'v')}};
    EXPECT_FALSE(BuildBTree({kBTreeFlags, 64, "z4"}, entries, tree));
    EXPECT_TRUE(tree.empty());
}

TEST(BTree, WalkRefusesPagesOutsideTheTreeAndLoops) {
    std::vector<uint8_t> tree;
    ASSERT_TRUE(BuildBTree({kBTreeFlags, 64, "L4"}, Entries(20), tree));
    const auto visit = [](ByteReader& entry) { return entry.Skip(8); };
    // The first leaf's next page: past the last page, then back to itself.
    const size_t nextPage = sizeof(BTreeHeader) + offsetof(BTreeLeafHeader, nextPage);
    for (int16_t damaged : {int16_t{99}, int16_t{0}}) {
        std::vector<uint8_t> copy = tree;
        std::memcpy(copy.data() + nextPage, &damaged, 2);
        EXPECT_FALSE(ForEachLeafEntry(copy, visit)) << damaged;
    }
    EXPECT_FALSE(ForEachLeafEntry(std::span(tree).first(tree.size() - 1), visit)) << "a page cut short";
}

}  // namespace
