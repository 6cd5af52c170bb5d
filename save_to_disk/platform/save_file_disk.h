// What sorvault does below its dialogs, on the first hard disk: the candidate
// drives, the search for SAVE2DSK.BIN, its attributes, the free-space query,
// the placement engine, the writes into the file and the partition probe.
// One binding calls Windows; the other works on the virtual notebook's disk
// image. OpenFirstDisk chooses between them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "save_to_disk/core/drive_space.h"
#include "save_to_disk/core/partition_probe.h"
#include "save_to_disk/engine/placement_host.h"

inline constexpr char kSaveFileName[] = "SAVE2DSK.BIN";
// Read-only, hidden and system.
constexpr uint8_t kSaveFileAttributes = 0x07;

// "X:\" and "X:\SAVE2DSK.BIN".
std::string RootOf(char letter);
std::string SaveFilePathOn(char letter);

enum class SpaceQuery { Answered, NoKernel32, Failed };

// The save file opened for stamping: read and write, no sharing.
class SaveFileWriter {
public:
    virtual ~SaveFileWriter() = default;
    virtual uint64_t Size() = 0;
    // Writes 512 bytes at the current position and moves past them.
    virtual bool WriteSector(const uint8_t (&sector)[512]) = 0;
    // Moves the position forward by `sectors` sectors.
    virtual bool Skip(uint64_t sectors) = 0;
};

class SaveFileDisk {
public:
    virtual ~SaveFileDisk() = default;
    // The drive letters of the first hard disk's partitions, ascending.
    virtual std::vector<char> CandidateDrives() = 0;
    // A directory search for X:\SAVE2DSK.BIN: its size when it is there.
    virtual bool FindSaveFile(char letter, uint64_t& size) = 0;
    // Attributes normal, open without sharing, read the time stamps,
    // attributes read-only + hidden + system, close.
    virtual void TouchSaveFile(char letter) = 0;
    virtual bool MarkSaveFile(char letter) = 0;    // attributes 7
    virtual bool DeleteSaveFile(char letter) = 0;  // attributes normal, then delete
    virtual bool FileSystemName(char letter, std::string& name) = 0;
    virtual SpaceQuery DriveSpace(char letter, uint64_t saveFileBytes, DriveSpaceInfo& info) = 0;
    // The platform's engine: creates the file with `bytes` bytes and makes it contiguous.
    virtual void MakeContiguous(char letter, uint64_t bytes, PlacementHost& host) = 0;
    virtual std::unique_ptr<SaveFileWriter> OpenSaveFile(char letter) = 0;
    virtual PartitionProbeResult ProbeFirstDisk() = 0;
};

// The disk-image binding when the virtual notebook names an existing image
// as its first disk (first_disk_protocol.h); otherwise the system's.
std::unique_ptr<SaveFileDisk> OpenFirstDisk();
std::unique_ptr<SaveFileDisk> MakeSystemDisk();
std::unique_ptr<SaveFileDisk> MakeImageDisk(const std::string& imagePath);
