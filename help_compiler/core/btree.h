// The B+ trees of a help file: the directory of internal files, |CONTEXT,
// |TTLBTREE and |KWBTREE. Leaf pages hold the entries in order and are linked
// both ways; index pages above them hold each lower page's first key.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/help_file_layout.h"

struct BTreeFormat {
    uint16_t flags;
    uint16_t pageSize;
    const char* structure;  // at most 15 characters
};

// One leaf entry: its key, which index pages repeat in front of a page
// number, and the rest of the entry.
struct BTreeEntry {
    std::vector<uint8_t> key;
    std::vector<uint8_t> value;
};

// The tree of entries, which must come in the readers' order; false when an
// entry does not fit into a page. Leaves are pages 0, 1, ...; firstEntries,
// when given, receives the number of the first entry of each.
bool BuildBTree(const BTreeFormat& format, std::span<const BTreeEntry> entries, std::vector<uint8_t>& tree,
                std::vector<uint32_t>* firstEntries = nullptr);

// Calls visit for each leaf entry in order, with a reader over the entry's
// page positioned at the entry; visit reads exactly one entry. False when the
// tree is damaged or visit returns false.
bool ForEachLeafEntry(std::span<const uint8_t> tree, const std::function<bool(ByteReader&)>& visit);

// The tree's header, when it has one.
bool ReadBTreeHeader(std::span<const uint8_t> tree, BTreeHeader& header);
