// The Windows NT file-system controls the placement engine sends, their
// status values and the layouts of their inputs and answers. Little-endian.
#pragma once

#include <cstdint>

enum FsControlCode : uint32_t {
    kFsctlGetNtfsVolumeData = 0x90064,
    kFsctlGetVolumeBitmap = 0x9006F,
    kFsctlGetRetrievalPointers = 0x90073,
    kFsctlMoveFile = 0x90074,
};

enum NtStatus : uint32_t {
    kStatusSuccess = 0,
    kStatusPending = 0x103,
    kStatusBufferOverflow = 0x80000005,  // more data
    kStatusUnsuccessful = 0xC0000001,
    kStatusInvalidHandle = 0xC0000008,
    kStatusInvalidParameter = 0xC000000D,
    kStatusInvalidDeviceRequest = 0xC0000010,
    kStatusAlreadyCommitted = 0xC0000021,
    kStatusAccessDenied = 0xC0000022,
    kStatusBufferTooSmall = 0xC0000023,
};

// The NTFS volume data answer; only these fields are used.
constexpr uint32_t kNtfsVolumeDataBytes = 96;
constexpr uint32_t kNtfsBytesPerClusterAt = 44;
constexpr uint32_t kNtfsMftZoneStartAt = 80;
constexpr uint32_t kNtfsMftZoneEndAt = 88;

struct MoveFileRequest {
    uint64_t fileHandle;  // a 32-bit handle and 4 bytes of padding on 32-bit Windows
    int64_t startingVcn;
    int64_t startingLcn;
    uint32_t clusterCount;
    uint32_t padding;
};
static_assert(sizeof(MoveFileRequest) == 32);

struct VolumeBitmapHeader {
    int64_t startingLcn;
    int64_t bitmapSize;  // in clusters
};
static_assert(sizeof(VolumeBitmapHeader) == 16);

struct RetrievalPointersHeader {
    uint32_t extentCount;
    uint32_t padding;
    int64_t startingVcn;
};
static_assert(sizeof(RetrievalPointersHeader) == 16);

struct RetrievalExtent {
    int64_t nextVcn;
    int64_t lcn;  // -1: no clusters on disk
};
static_assert(sizeof(RetrievalExtent) == 16);

constexpr int64_t kVirtualLcn = -1;

// The engine's answer buffers: 65536 bitmap bytes, 8192 extents.
constexpr uint32_t kBitmapAnswerBytes = sizeof(VolumeBitmapHeader) + 65536;
constexpr uint64_t kBitmapAnswerClusters = 65536 * 8;
constexpr uint32_t kExtentAnswerBytes = sizeof(RetrievalPointersHeader) + 8192 * sizeof(RetrievalExtent);
static_assert(kBitmapAnswerBytes == 65552 && kExtentAnswerBytes == 131088);
