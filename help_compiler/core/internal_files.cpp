#include "help_compiler/core/internal_files.h"

#include <algorithm>
#include <cstring>

#include "help_compiler/core/btree.h"
#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/help_file_layout.h"

namespace {

void PutInternalFile(ByteWriter& out, std::span<const uint8_t> data) {
    const auto used = static_cast<uint32_t>(data.size());
    out.Put(InternalFileHeader{static_cast<uint32_t>(used + sizeof(InternalFileHeader)), used, kInternalFileFlags});
    out.Bytes(data);
}

// The data of the internal file whose header is at offset.
bool InternalFileAt(std::span<const uint8_t> helpFile, uint32_t offset, std::span<const uint8_t>& data) {
    ByteReader reader(helpFile);
    InternalFileHeader header{};
    if (!reader.Seek(offset) || !reader.Get(header)) return false;
    if (header.reservedSpace < header.usedSpace + sizeof header || header.usedSpace > reader.remaining()) return false;
    data = helpFile.subspan(reader.position(), header.usedSpace);
    return true;
}

}  // namespace

std::vector<uint8_t> BuildInternalFiles(std::vector<InternalFile> files) {
    // Readers search the directory with strcmp.
    std::sort(files.begin(), files.end(), [](const InternalFile& a, const InternalFile& b) { return a.name < b.name; });

    ByteWriter out;
    out.Put(HelpFileHeader{});
    std::vector<BTreeEntry> directory;
    for (const InternalFile& file : files) {
        BTreeEntry entry;
        entry.key.assign(file.name.begin(), file.name.end());
        entry.key.push_back(0);
        const auto offset = static_cast<uint32_t>(out.size());
        entry.value.resize(sizeof offset);
        std::memcpy(entry.value.data(), &offset, sizeof offset);
        directory.push_back(std::move(entry));
        PutInternalFile(out, file.data);
    }

    std::vector<uint8_t> tree;
    BuildBTree({static_cast<uint16_t>(kBTreeFlags | kBTreeDirectoryFlag), kDirectoryPageSize, "z4"}, directory, tree);
    const auto directoryStart = static_cast<uint32_t>(out.size());
    PutInternalFile(out, tree);
    out.PutAt(0, HelpFileHeader{kHelpFileMagic, directoryStart, kNoPosition, static_cast<uint32_t>(out.size())});
    return out.Take();
}

bool ReadInternalFiles(std::span<const uint8_t> helpFile, std::vector<InternalFileView>& files, std::string& error) {
    ByteReader reader(helpFile);
    HelpFileHeader header{};
    if (!reader.Get(header) || header.magic != kHelpFileMagic) {
        error = "not a help file";
        return false;
    }
    if (header.fileSize != helpFile.size()) {
        error = "the header gives a size of " + std::to_string(header.fileSize) + " bytes, the file has " +
                std::to_string(helpFile.size());
        return false;
    }
    std::span<const uint8_t> directory;
    if (!InternalFileAt(helpFile, header.directoryStart, directory)) {
        error = "the directory lies outside the file";
        return false;
    }
    std::vector<InternalFileView> found;
    const bool read = ForEachLeafEntry(directory, [&](ByteReader& entry) {
        InternalFileView file;
        uint32_t offset = 0;
        if (!entry.StringZ(file.name) || !entry.U32(offset)) return false;
        if (!InternalFileAt(helpFile, offset, file.data)) return false;
        found.push_back(std::move(file));
        return true;
    });
    if (!read) {
        error = "the directory is damaged";
        return false;
    }
    files = std::move(found);
    return true;
}
