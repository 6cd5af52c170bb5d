#include "save_to_disk/engine/placement_steps.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "save_to_disk/engine/placement_messages.h"

namespace {

constexpr size_t kMaxPath = 260;

std::string Format(const char* format, const std::string& text) {
    char line[kMaxPath + 64];
    std::snprintf(line, sizeof line, format, text.c_str());
    return line;
}

}  // namespace

bool CreateSaveFile(DiskAccess& disk, PlacementHost& host, const std::string& path, uint64_t size,
                    uint32_t& error) {
    const FileCreation created = size == 0 ? FileCreation::CreateFailed : disk.CreateSizedFile(path, size);
    if (created == FileCreation::Created) return true;
    error = disk.LastSystemError();
    host.ShowMessage(created == FileCreation::WriteFailed ? kMsgWriteFailed : kMsgCreateFailed);
    disk.RemoveFile(path);
    return false;
}

bool ProcessMatchingFiles(DiskAccess& disk, PlacementHost& host, const std::string& path,
                          const std::function<bool(const std::string&, bool)>& process) {
    std::string full;
    std::vector<std::string> names;
    if (!disk.GetFullPath(path, full) || full.size() > kMaxPath || !disk.FindFiles(full, names) ||
        names.empty()) {
        host.WriteOutput(Format("\nNo files found that match %s\n", full.empty() ? path : full));
        return false;
    }
    const std::string directory = full.substr(0, full.rfind('\\') + 1);
    bool placed = false;
    bool first = true;
    for (const std::string& name : names) {
        placed = process(directory + name, first) || placed;
        first = false;
    }
    return placed;
}

void WriteProcessingLine(PlacementHost& host, const std::string& path, bool first) {
    host.WriteOutput(first ? "\n" : "------------------------\n");
    host.WriteOutput(Format("Processing %s:\n", path));
}

bool FinishFile(DiskAccess& disk, PlacementHost& host, PlacementTotals& totals, const std::string& path, bool placed,
                uint64_t fragments) {
    if (!placed) {
        disk.RemoveFile(path);
        return false;
    }
    WriteOptimizedLine(host, path, fragments);
    totals.fragmentsAfter += fragments;
    ++totals.filesPlaced;
    return true;
}

void WriteOptimizedLine(PlacementHost& host, const std::string& path, uint64_t fragments) {
    char line[kMaxPath + 64];
    std::snprintf(line, sizeof line, "%s was optimized to %" PRIu64 " fragment%s.\n", path.c_str(), fragments,
                  fragments > 1 ? "s" : "");
    host.WriteOutput(line);
}

void WriteAsContiguousAsPossible(PlacementHost& host, const std::string& path) {
    host.WriteOutput(Format("%s is as contiguous as possible.\n", path));
}
