#include "help_compiler/core/index_files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "help_compiler/core/btree.h"
#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/context_hash.h"
#include "help_compiler/core/help_file_layout.h"

namespace {

std::vector<uint8_t> LittleEndian(uint32_t value) {
    ByteWriter out;
    out.U32(value);
    return out.Take();
}

// Keywords sort without regard to case; in Shift JIS the second byte of a
// double-byte character keeps its value.
std::string SortKey(const std::string& keyword, int codePage) {
    std::string key;
    for (size_t i = 0; i < keyword.size(); ++i) {
        const auto c = static_cast<unsigned char>(keyword[i]);
        const bool lead = codePage == 932 && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC));
        if (lead && i + 1 < keyword.size()) {
            key += keyword.substr(i, 2);
            ++i;
        } else {
            key += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
    }
    return key;
}

bool ContextFiles(const HelpDocument& document, const std::vector<uint32_t>& offsets, std::vector<InternalFile>& files,
                  SourceError& error) {
    struct Context {
        int32_t hash;
        uint32_t number;
        size_t topic;
    };
    std::vector<Context> contexts;
    std::vector<ContextMapEntry> map;
    for (size_t t = 0; t < document.topics.size(); ++t) {
        for (uint32_t number : document.topics[t].contexts) {
            contexts.push_back({ContextHash(ContextName(number)), number, t});
            map.push_back({number, offsets[t]});
        }
    }
    std::sort(contexts.begin(), contexts.end(), [](const Context& a, const Context& b) { return a.hash < b.hash; });
    std::vector<BTreeEntry> entries;
    for (size_t i = 0; i < contexts.size(); ++i) {
        if (i > 0 && contexts[i].hash == contexts[i - 1].hash) {
            char message[96];
            std::snprintf(message, sizeof message, "context numbers 0x%X and 0x%X have the same hash",
                          contexts[i - 1].number, contexts[i].number);
            error = {document.topics[contexts[i].topic].line, message};
            return false;
        }
        entries.push_back({LittleEndian(static_cast<uint32_t>(contexts[i].hash)), LittleEndian(offsets[contexts[i].topic])});
    }
    std::vector<uint8_t> tree;
    BuildBTree({kBTreeFlags, kIndexPageSize, "L4"}, entries, tree);  // entries of 8 bytes always fit
    files.push_back({"|CONTEXT", std::move(tree)});

    std::sort(map.begin(), map.end(),
              [](const ContextMapEntry& a, const ContextMapEntry& b) { return a.contextNumber < b.contextNumber; });
    ByteWriter mapFile;
    mapFile.U16(static_cast<uint16_t>(map.size()));
    for (const ContextMapEntry& entry : map) mapFile.Put(entry);
    files.push_back({"|CTXOMAP", mapFile.Take()});
    return true;
}

// Titles and keywords are at most kMaxIndexText bytes (EncodeHelpSource), so
// their entries fit into the trees' pages.
static_assert(kMaxIndexText + 8 < kIndexPageSize - sizeof(BTreeLeafHeader));

void TitleFile(const HelpDocument& document, const std::vector<uint32_t>& offsets, std::vector<InternalFile>& files) {
    std::vector<BTreeEntry> entries;
    for (size_t t = 0; t < document.topics.size(); ++t) {
        if (document.topics[t].popup) continue;
        ByteWriter title;
        title.StringZ(document.topics[t].title);
        entries.push_back({LittleEndian(offsets[t]), title.Take()});
    }
    std::vector<uint8_t> tree;
    BuildBTree({kBTreeFlags, kIndexPageSize, "Lz"}, entries, tree);
    files.push_back({"|TTLBTREE", std::move(tree)});
}

void KeywordFiles(const HelpDocument& document, const std::vector<uint32_t>& offsets, std::vector<InternalFile>& files) {
    // Keyword: its topics, each once, in the file's order.
    std::map<std::pair<std::string, std::string>, std::vector<uint32_t>> keywords;
    for (size_t t = 0; t < document.topics.size(); ++t) {
        for (const std::string& keyword : document.topics[t].keywords) {
            std::vector<uint32_t>& topics = keywords[{SortKey(keyword, document.codePage), keyword}];
            if (std::find(topics.begin(), topics.end(), offsets[t]) == topics.end()) topics.push_back(offsets[t]);
        }
    }
    if (keywords.empty()) return;

    ByteWriter data;
    std::vector<BTreeEntry> entries;
    for (const auto& [key, topics] : keywords) {
        BTreeEntry entry;
        entry.key.assign(key.second.begin(), key.second.end());
        entry.key.push_back(0);
        ByteWriter value;
        value.U16(static_cast<uint16_t>(topics.size()));
        value.U32(static_cast<uint32_t>(data.size()));
        entry.value = value.Take();
        for (uint32_t offset : topics) data.U32(offset);
        entries.push_back(std::move(entry));
    }
    std::vector<uint8_t> tree;
    std::vector<uint32_t> firstEntries;
    BuildBTree({kBTreeFlags, kIndexPageSize, "F24"}, entries, tree, &firstEntries);
    ByteWriter map;
    for (size_t page = 0; page < firstEntries.size(); ++page)
        map.Put(KeywordMapEntry{firstEntries[page], static_cast<uint16_t>(page)});
    files.push_back({"|KWBTREE", std::move(tree)});
    files.push_back({"|KWDATA", data.Take()});
    files.push_back({"|KWMAP", map.Take()});
}

}  // namespace

bool BuildIndexFiles(const HelpDocument& document, const std::vector<uint32_t>& topicOffsets,
                     std::vector<InternalFile>& files, SourceError& error) {
    if (!ContextFiles(document, topicOffsets, files, error)) return false;
    TitleFile(document, topicOffsets, files);
    KeywordFiles(document, topicOffsets, files);
    return true;
}
