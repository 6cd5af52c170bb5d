#include "save_to_disk/engine/fat/fat_placement_engine.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "save_to_disk/engine/fat/volume_chains.h"
#include "save_to_disk/engine/placement_messages.h"

namespace {

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

FatPlacementEngine::FatPlacementEngine(DiskAccess& disk, PlacementHost& host)
    : disk_(disk), host_(host) {}

void FatPlacementEngine::FailSetup(unsigned message) {
    host_.ShowMessage(message);
    disk_.CloseDevice();
    host_.EndProgram(1);
}

bool FatPlacementEngine::SetUpVolume(char letter) {
    if (!disk_.OpenDevice()) {
        host_.ShowMessage(kMsgNoVwin32);
        host_.EndProgram(1);
        return false;
    }
    if (letter < 'A' || letter > 'Z') {
        FailSetup(kMsgQueryDriveFailed);
        return false;
    }
    drive_ = unsigned(letter - 64);
    root_ = std::string(1, letter) + ":\\";
    std::string fileSystem;
    if (!disk_.GetVolumeFileSystemName(root_, fileSystem)) {
        FailSetup(kMsgQueryDriveFailed);
        return false;
    }
    bool fat32;
    if (EqualsNoCase(fileSystem, "FAT32")) {
        fat32 = true;
    } else if (EqualsNoCase(fileSystem, "FAT")) {
        fat32 = false;
    } else {
        FailSetup(kMsgUnrecognizedDrive);
        return false;
    }
    if (!disk_.IsFixedDrive(root_)) {
        FailSetup(kMsgNotLocalDrive);
        return false;
    }
    uint32_t build;
    if (!disk_.IsWindows9x(build)) {
        FailSetup(kMsgNotWindows9x);
        return false;
    }
    std::vector<uint8_t> boot(kLargestSectorBytes);
    if (!disk_.ReadSectors(drive_, 0, 1, boot.data()) || !ParseFatBootSector(boot.data(), fat32, g_)) {
        FailSetup(kMsgBadBootSector);
        return false;
    }
    fat_ = std::make_unique<FatTable>(disk_, drive_, g_);
    directory_.assign(g_.bytesPerCluster, 0);
    // A write step, and as much again for the gaps a transfer reads through.
    copyBytes_ = 2 * size_t(WriteStep()) * g_.bytesPerCluster;
    copy_.reset();
    return true;
}

bool FatPlacementEngine::MakeContiguous(char letter, const std::string& path, uint64_t size) {
    if (!SetUpVolume(letter)) return false;
    // A damaged volume is refused before the save file is created: creating it
    // writes a directory entry and a chain, which must not land in clusters
    // that another chain runs into.
    const unsigned damage = fat_->Load() ? CheckVolume(RunList()) : kMsgMoveFailed;
    if (damage != 0) {
        host_.ShowMessage(damage);
        disk_.CloseDevice();
        return false;
    }
    uint32_t error;
    if (!CreateSaveFile(disk_, host_, path, size, error)) {
        disk_.CloseDevice();
        return false;
    }
    const bool placed = ProcessMatchingFiles(
        disk_, host_, path, [this](const std::string& file, bool first) { return ProcessFile(file, first); });
    disk_.CloseDevice();
    return placed;
}

bool FatPlacementEngine::ProcessFile(const std::string& path, bool first) {
    if (!disk_.LockVolume(drive_, 1, 1)) {
        host_.ShowMessage(kMsgLockFailed);
        disk_.RemoveFile(path);
        return false;
    }
    WriteProcessingLine(host_, path, first);
    if (!disk_.OpenFileForScan(path)) {
        host_.ShowMessage(kMsgOpenFailed);
        disk_.UnlockVolume(drive_);
        return false;
    }
    ++totals_.filesProcessed;
    uint32_t fragments = 0;
    const bool placed = PlaceLoop(path, fragments);
    disk_.CloseFileForScan();
    disk_.UnlockVolume(drive_);
    return FinishFile(disk_, host_, totals_, path, placed, fragments);
}

bool FatPlacementEngine::PlaceLoop(const std::string& path, uint32_t& fragments) {
    unsigned rescans = 0;
    for (;;) {
        if (!ScanFile(path)) {
            --totals_.filesProcessed;
            return false;
        }
        const uint32_t before = uint32_t(fileRuns_.Count());
        const uint64_t used = fileRuns_.TotalLength();
        if (before <= 1) {
            totals_.fragmentsBefore += 1;
            fragments = 1;
            return true;
        }
        uint64_t freeTotal;
        if (!ScanFreeSpace(uint32_t(used), freeTotal)) {
            host_.ShowMessage(kMsgNoFileStart);
            --totals_.filesProcessed;
            return false;
        }
        if (freeTotal < used) {
            host_.ShowMessage(kMsgNoSpaceToDefragment);
            totals_.fragmentsBefore += before;
            totals_.fragmentsAfter += before;
            return false;
        }
        const unsigned damage = CheckVolume(fileRuns_);
        if (damage != 0) {
            host_.ShowMessage(damage);
            --totals_.filesProcessed;
            return false;
        }
        const Placement placement = PlaceFile();
        switch (placement.outcome) {
        case Outcome::Placed:
            totals_.fragmentsBefore += before;
            fragments = placement.count;
            return true;
        case Outcome::Changed:
            host_.WriteOutput("Disk changed. Reprocessing...\n");
            if (++rescans > kMaxRescans) {
                host_.ShowMessage(kMsgMoveFailed);
                --totals_.filesProcessed;
                return false;
            }
            continue;
        case Outcome::Count:
            if (placement.count < before) continue;
            // No gain from moving: the file stays in the runs it has.
            WriteAsContiguousAsPossible(host_, path);
            totals_.fragmentsBefore += before;
            fragments = before;
            return true;
        case Outcome::Failed:
            --totals_.filesProcessed;
            return false;
        }
    }
}

unsigned FatPlacementEngine::CheckVolume(const RunList& fileRuns) {
    VolumeChains result = CheckVolumeChains(disk_, drive_, g_, *fat_);
    if (result == VolumeChains::Sound) result = CheckFatCopies(*fat_, fileRuns);
    switch (result) {
    case VolumeChains::Sound: return 0;
    case VolumeChains::Damaged: return kMsgDamagedVolume;
    case VolumeChains::Unreadable: break;
    }
    return kMsgMoveFailed;
}

bool FatPlacementEngine::ScanFile(const std::string& path) {
    fileRuns_.Clear();
    char name[11];
    const int64_t rootCluster = disk_.GetFirstCluster(root_);
    const int64_t first = disk_.GetFirstCluster(path);
    if (rootCluster < 0 || first <= 0 || !g_.IsDataCluster(uint64_t(first)) ||
        !MakeShortName(path.c_str(), name)) {
        host_.ShowMessage(kMsgNoFileStart);
        return false;
    }
    if (g_.type == FatType::Fat32) g_.rootCluster = uint32_t(rootCluster);
    firstCluster_ = uint32_t(first);
    if (!fat_->Load() || !FindRootEntry(name, firstCluster_) || !WalkFileChain()) {
        host_.ShowMessage(kMsgNoFileStart);
        return false;
    }
    return true;
}

bool FatPlacementEngine::ScanDirectorySector(const uint8_t* data, uint32_t sector,
                                             const char name[11], uint32_t firstCluster) {
    for (uint32_t off = 0; off < g_.bytesPerSector; off += kDirEntrySize) {
        const uint8_t* e = data + off;
        if (!IsUsedFileEntry(e) || std::memcmp(e, name, 11) != 0) continue;
        const bool fat32 = g_.type == FatType::Fat32;
        const bool match = fat32 ? EntryStartCluster(e, true) == firstCluster
                                 : ReadLe16(e + 26) == (firstCluster & 0xFFFF);
        if (!match) continue;
        entry_ = {sector, off};
        fileSize_ = ReadLe32(e + 28);
        return true;
    }
    return false;
}

bool FatPlacementEngine::FindRootEntry(const char name[11], uint32_t firstCluster) {
    std::vector<uint32_t> sectors;
    if (!RootDirectorySectors(g_, *fat_, sectors)) return false;
    for (uint32_t sector : sectors) {
        if (!disk_.ReadSectors(drive_, sector, 1, directory_.data())) return false;
        if (ScanDirectorySector(directory_.data(), sector, name, firstCluster)) return true;
    }
    return false;
}

bool FatPlacementEngine::WalkFileChain() {
    // A chain that loops, leaves the data area or does not match the file's
    // size fails the scan before anything is written.
    const uint64_t expected = (uint64_t(fileSize_) + g_.bytesPerCluster - 1) / g_.bytesPerCluster;
    uint64_t total = 0;
    uint32_t c = firstCluster_;
    for (;;) {
        ClusterRun run{c, 0};
        int64_t next;
        for (;;) {
            if (!fat_->ReadFatEntry(c, next)) return false;
            ++run.length;
            if (++total > expected) return false;
            if (next != int64_t(c) + 1) break;
            c = uint32_t(next);
        }
        fileRuns_.Append(run);
        if (next == FatTable::kEndOfChain) break;
        if (!g_.IsDataCluster(uint64_t(next))) return false;
        c = uint32_t(next);
    }
    return total == expected;
}

bool FatPlacementEngine::ScanFreeSpace(uint32_t wanted, uint64_t& total) {
    freeRuns_.Clear();
    uint64_t sum = 0;
    uint32_t c = 2;  // clusters 0 and 1 hold no data, whatever their entries say
    const uint32_t limit = g_.ClusterLimit();
    while (c < limit) {
        int64_t entry;
        if (!fat_->ReadFatEntry(c, entry)) return false;
        if (entry != 0) {
            ++c;
            continue;
        }
        const uint32_t start = c;
        while (++c < limit) {
            if (!fat_->ReadFatEntry(c, entry)) return false;
            if (entry != 0) break;
        }
        freeRuns_.Append({start, c - start});
        sum += c - start;
        if (c - start >= wanted) break;
    }
    freeRuns_.SortLongestFirst();
    total = sum;
    return true;
}

FatPlacementEngine::Placement FatPlacementEngine::PlaceFile() {
    const uint64_t used = fileRuns_.TotalLength();
    if (freeRuns_.Count() > 0 && freeRuns_[0].length >= used) {
        size_t target = 0;
        while (target + 1 < freeRuns_.Count() && freeRuns_[target + 1].length >= used) ++target;
        return MoveWholeFile(freeRuns_[target]);
    }
    uint64_t absorbed = 0;
    uint32_t taken = 0;
    while (absorbed < used && taken < freeRuns_.Count()) absorbed += freeRuns_[taken++].length;
    if (taken >= freeRuns_.Count()) {
        // Every free run would be needed.
        host_.ShowMessage(kMsgNoSpaceToDefragment);
        return {Outcome::Failed, 0};
    }
    if (taken >= fileRuns_.Count()) return {Outcome::Count, taken};
    return FillFreeRuns(taken);
}

FatPlacementEngine::Placement FatPlacementEngine::MoveFailed(Move result) {
    if (result == Move::Changed) return {Outcome::Changed, 0};
    host_.ShowMessage(kMsgMoveFailed);
    return {Outcome::Failed, 0};
}

FatPlacementEngine::Placement FatPlacementEngine::MoveWholeFile(const ClusterRun& target) {
    // One move for the whole file, under one level-2 lock: every run copied
    // into the target, the new chain written in one pass, the directory entry
    // switched once, the old chain freed in one pass. Until the switch the
    // target's clusters are lost clusters; after it the old ones are.
    const uint32_t used = uint32_t(fileRuns_.TotalLength());
    host_.IgnoreInterrupts(true);
    Move result = Move::Failed;
    if (!disk_.LockVolume(drive_, 2, 0)) {
        result = Move::Changed;
    } else {
        const std::vector<ClusterRun> runs(fileRuns_.begin(), fileRuns_.end());
        std::vector<ClusterRun> touched = runs;
        touched.push_back({target.start, used});
        // The sectors read again are the ones the move writes.
        if (disk_.GetLockFlagState(drive_) != 0 || !fat_->Reload(touched) || !FileStillAsScanned() ||
            !LinkedAsScanned(0, runs[0].start) || !StillFree(target.start, used)) {
            result = Move::Changed;
        } else if (CopyRuns(runs, target.start) && fat_->WriteFatEntries(target.start, used, FatTable::kEndOfChain) &&
                   LinkDirectoryEntry(runs[0].start, target.start) && fat_->FreeRuns(runs)) {
            result = Move::Done;
        }
        disk_.UnlockVolume(drive_);
    }
    host_.IgnoreInterrupts(false);
    if (result != Move::Done) return MoveFailed(result);
    return {Outcome::Placed, 1};
}

bool FatPlacementEngine::FileStillAsScanned() const {
    // The chain as read again, run by run: each run's clusters linked in turn
    // and its last one naming the next run (or ending the chain).
    for (size_t i = 0; i < fileRuns_.Count(); ++i) {
        const ClusterRun& run = fileRuns_[i];
        const int64_t next = i + 1 < fileRuns_.Count() ? int64_t(fileRuns_[i + 1].start) : FatTable::kEndOfChain;
        for (uint32_t k = 0; k < run.length; ++k) {
            int64_t entry;
            const int64_t expected = k + 1 < run.length ? int64_t(run.start) + k + 1 : next;
            if (!fat_->ReadFatEntry(run.start + k, entry) || entry != expected) return false;
        }
    }
    return true;
}

FatPlacementEngine::Placement FatPlacementEngine::FillFreeRuns(uint32_t runsTaken) {
    uint64_t remaining = fileRuns_.TotalLength();
    uint32_t predecessor = 0;
    size_t fileRun = 0;
    for (size_t f = 0; f < freeRuns_.Count() && remaining > 0; ++f) {
        uint32_t destination = freeRuns_[f].start;
        uint64_t h = std::min<uint64_t>(remaining, freeRuns_[f].length);
        while (h > 0) {
            ClusterRun& run = fileRuns_[fileRun];
            if (h < run.length) {
                const uint32_t part = uint32_t(h);
                const Move moved = MoveRun(predecessor, int64_t(run.start) + part, run.start, destination, part);
                if (moved != Move::Done) return MoveFailed(moved);
                run.start += part;
                run.length -= part;
                predecessor = destination + part - 1;
                remaining -= part;
                h = 0;
            } else {
                const int64_t link = fileRun + 1 < fileRuns_.Count() ? int64_t(fileRuns_[fileRun + 1].start)
                                                                     : FatTable::kEndOfChain;
                const Move moved = MoveRun(predecessor, link, run.start, destination, run.length);
                if (moved != Move::Done) return MoveFailed(moved);
                destination += run.length;
                predecessor = destination - 1;
                h -= run.length;
                remaining -= run.length;
                ++fileRun;
            }
        }
    }
    return {Outcome::Placed, runsTaken};
}

FatPlacementEngine::Move FatPlacementEngine::MoveRun(uint32_t predecessor, int64_t link, uint32_t source,
                                                     uint32_t destination, uint32_t count) {
    host_.IgnoreInterrupts(true);
    Move result = Move::Failed;
    if (!disk_.LockVolume(drive_, 2, 0)) {
        result = Move::Changed;
    } else {
        // Read afresh: the run must still hang where the scan found it, and
        // the target must still be free, before anything of the move is
        // written; the sectors the move writes are the ones read again.
        const ClusterRun moved{source, count};
        std::vector<ClusterRun> touched = {moved, {destination, count}};
        if (predecessor != 0) touched.push_back({predecessor, 1});
        if (disk_.GetLockFlagState(drive_) != 0 || !fat_->Reload(touched) ||
            !LinkedAsScanned(predecessor, source) || !StillFree(destination, count)) {
            result = Move::Changed;
        } else if (CopyRuns(std::span(&moved, 1), destination) &&
                   fat_->WriteFatEntries(destination, count, link) &&
                   (predecessor != 0 ? fat_->WriteFatEntries(predecessor, 1, destination)
                                     : LinkDirectoryEntry(source, destination)) &&
                   fat_->FreeFatEntries(source, count)) {
            result = Move::Done;
        }
        disk_.UnlockVolume(drive_);
    }
    host_.IgnoreInterrupts(false);
    return result;
}

bool FatPlacementEngine::LinkedAsScanned(uint32_t predecessor, uint32_t source) {
    if (predecessor == 0) return DirectoryEntryNames(source);
    int64_t entry;
    return fat_->ReadFatEntry(predecessor, entry) && entry == int64_t(source);
}

bool FatPlacementEngine::StillFree(uint32_t first, uint32_t count) const {
    for (uint32_t i = 0; i < count; ++i) {
        int64_t entry;
        if (!fat_->ReadFatEntry(first + i, entry) || entry != 0) return false;
    }
    return true;
}

bool FatPlacementEngine::DirectoryEntryNames(uint32_t start) {
    if (!disk_.ReadSectors(drive_, entry_.sector, 1, directory_.data())) return false;
    const uint8_t* e = directory_.data() + entry_.offset;
    const bool fat32 = g_.type == FatType::Fat32;
    return IsUsedFileEntry(e) && EntryStartCluster(e, fat32) == (fat32 ? start : (start & 0xFFFF));
}

bool FatPlacementEngine::CopyRuns(std::span<const ClusterRun> runs, uint32_t destination) {
    // The runs are gathered into the copy buffer in file order and written
    // out a step at a time: the target is one run, so every write is one long
    // transfer however short the source runs are.
    if (!copy_) copy_.reset(new uint8_t[copyBytes_]);
    uint32_t gathered = 0;
    size_t i = 0;
    uint32_t done = 0;  // clusters of runs[i] already gathered
    std::vector<Piece> pieces;
    while (i < runs.size()) {
        const uint32_t first = runs[i].start + done;
        const uint32_t span = PlanTransfer(runs, i, done, gathered, pieces);
        uint8_t* into = copy_.get() + size_t(gathered) * g_.bytesPerCluster;
        if (!disk_.ReadSectors(drive_, g_.ClusterToSector(first), span * g_.sectorsPerCluster, into)) return false;
        gathered += PackPieces(pieces, into);
        if (gathered == WriteStep() && !WriteGathered(destination, gathered)) return false;
    }
    return WriteGathered(destination, gathered);
}

uint32_t FatPlacementEngine::WriteStep() const {
    return uint32_t(std::max(kCopyBytes, g_.bytesPerCluster) / g_.bytesPerCluster);
}

uint32_t FatPlacementEngine::PlanTransfer(std::span<const ClusterRun> runs, size_t& i, uint32_t& done,
                                          uint32_t gathered, std::vector<Piece>& pieces) const {
    // A run that follows the one before it on the disk after a short gap is
    // read with it, gap and all (a gap is cheaper to read than to seek over),
    // as long as the file's clusters fit the write step and the whole
    // transfer the buffer.
    const uint32_t step = WriteStep();
    const uint32_t room = uint32_t(copyBytes_ / g_.bytesPerCluster) - gathered;
    const uint32_t maxGap = std::max(kReadThroughBytes / g_.bytesPerCluster, 1u);
    const uint32_t first = runs[i].start + done;
    pieces.clear();
    uint32_t data = 0, span = 0;
    for (;;) {
        const uint32_t at = runs[i].start + done - first;
        const uint32_t n = std::min({step - gathered - data, runs[i].length - done, room - at});
        pieces.push_back({at, n});
        data += n;
        span = at + n;
        done += n;
        if (done == runs[i].length) {
            ++i;
            done = 0;
        }
        if (i == runs.size() || done != 0 || gathered + data == step) return span;
        const uint32_t next = runs[i].start;
        if (next < first + span || next - (first + span) > maxGap || next - first >= room) return span;
    }
}

uint32_t FatPlacementEngine::PackPieces(const std::vector<Piece>& pieces, uint8_t* transfer) const {
    uint32_t packed = 0;
    for (const Piece& piece : pieces) {
        if (piece.at != packed)
            std::memmove(transfer + size_t(packed) * g_.bytesPerCluster, transfer + size_t(piece.at) * g_.bytesPerCluster,
                         size_t(piece.length) * g_.bytesPerCluster);
        packed += piece.length;
    }
    return packed;
}

bool FatPlacementEngine::WriteGathered(uint32_t& destination, uint32_t& gathered) {
    if (gathered == 0) return true;
    if (!disk_.WriteSectors(drive_, g_.ClusterToSector(destination), gathered * g_.sectorsPerCluster, copy_.get(),
                            kWriteFileData))
        return false;
    destination += gathered;
    gathered = 0;
    return true;
}

bool FatPlacementEngine::LinkDirectoryEntry(uint32_t oldStart, uint32_t newStart) {
    // The entry must still be the file's: someone may have changed the directory.
    if (!DirectoryEntryNames(oldStart)) return false;
    uint8_t* sector = directory_.data();
    uint8_t* e = sector + entry_.offset;
    const bool fat32 = g_.type == FatType::Fat32;
    WriteLe16(e + 26, uint16_t(newStart));
    if (fat32) WriteLe16(e + 20, uint16_t(newStart >> 16));
    return disk_.WriteSectors(drive_, entry_.sector, 1, sector, kWriteDirectory);
}
