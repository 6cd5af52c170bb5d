// Runs a placement engine over a test image and records what it showed, wrote
// and wrote out.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "save_to_disk/engine/fat/fat_placement_engine.h"
#include "save_to_disk/engine/fsctl/fsctl_placement_engine.h"
#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/tests/fat_image.h"

class RecordingHost : public PlacementHost {
public:
    void ShowMessage(unsigned id) override { messages.push_back(id); }
    void WriteOutput(const std::string& text) override { output += text; }
    void EndProgram(int status) override { endStatus = status; }
    void IgnoreInterrupts(bool ignore) override { interruptsIgnored = ignore; }

    std::vector<unsigned> messages;
    std::string output;
    int endStatus = -1;
    bool interruptsIgnored = false;
};

// The image binding with a count of sector writes, a point after which the
// machine is taken to have stopped (no further write reaches the disk), a
// hook that runs when the engine opens the file (to damage it), and a log of
// the move requests it was sent.
class TestImage : public DiskImage {
public:
    bool WriteSectors(unsigned drive, uint32_t start, uint32_t count, const void* buffer,
                      WriteKind kind) override {
        if (writes >= writeLimit) {
            // A torn write: the machine stops with only the first sector on disk.
            if (tearNext && count > 1) {
                tearNext = false;
                writeLog.push_back({start, 1});
                DiskImage::WriteSectors(drive, start, 1, buffer, kind);
            }
            return false;
        }
        ++writes;
        writeLog.push_back({start, count});
        return DiskImage::WriteSectors(drive, start, count, buffer, kind);
    }
    bool RemoveFile(const std::string& path) override {
        return writes < writeLimit && DiskImage::RemoveFile(path);
    }
    bool LockVolume(unsigned drive, unsigned level, unsigned permissions) override {
        if (level == 2 && onMoveLock) onMoveLock(++moveLocks);
        return DiskImage::LockVolume(drive, level, permissions);
    }
    bool OpenFileForScan(const std::string& path) override {
        if (onOpen) onOpen();
        return DiskImage::OpenFileForScan(path);
    }

    uint32_t FsControl(FsControlTarget target, uint32_t code, const void* input, uint32_t inputSize, void* output,
                       uint32_t outputSize, uint32_t& returned, bool& waited) override {
        if (code == kFsctlMoveFile && inputSize >= sizeof(MoveFileRequest))
            moves.push_back(*static_cast<const MoveFileRequest*>(input));
        return DiskImage::FsControl(target, code, input, inputSize, output, outputSize, returned, waited);
    }

    unsigned writes = 0;
    unsigned writeLimit = ~0u;
    // The write after the limit lands its first sector when it spans several.
    bool tearNext = false;
    std::vector<MoveFileRequest> moves;
    std::vector<std::pair<uint32_t, uint32_t>> writeLog;  // start sector and count of each write
    std::function<void()> onOpen;
    // Runs as the engine takes the level-2 lock of its n-th move: another
    // writer acting between the scan and the move.
    std::function<void(unsigned)> onMoveLock;
    unsigned moveLocks = 0;
};

struct EngineRun {
    bool placed = false;
    RecordingHost host;
    unsigned writes = 0;
    std::vector<MoveFileRequest> moves;
    unsigned flushes = 0;
};

inline const char* kSavePath = "C:\\SAVE2DSK.BIN";

// Opens the image (which must not be in use by mtools at the time), runs the
// engine for a save file of `clusters` clusters and closes the image again.
template <typename Engine = FatPlacementEngine>
EngineRun RunEngine(FatImage& image, uint32_t clusters,
                           const std::function<void(TestImage&)>& prepare = {}) {
    EngineRun run;
    TestImage disk;
    if (!disk.Open(image.Path(), image.Partition())) {
        ADD_FAILURE() << "cannot open " << image.Path();
        return run;
    }
    if (prepare) prepare(disk);
    Engine engine(disk, run.host);
    run.placed = engine.MakeContiguous('C', kSavePath, uint64_t(clusters) * image.BytesPerCluster());
    run.writes = disk.writes;
    run.moves = disk.moves;
    run.flushes = disk.VolumeFlushes();
    EXPECT_EQ(disk.LockDepth(), 0u) << "every lock level is released";
    return run;
}
