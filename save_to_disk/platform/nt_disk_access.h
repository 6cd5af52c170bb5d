// The Windows NT disk requests: geometry and first sector of a physical
// drive, the first disk's partition layout, and the volume handle the
// file-system controls go to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/win32/unique_handle.h"
#include "save_to_disk/core/disk_requests.h"

constexpr DWORD kDriveLayoutBytes = 1024;

bool GetDriveGeometry(const char* physicalDrive, DriveGeometryRecord& geometry);
bool ReadFirstSector(const char* physicalDrive, uint8_t (&sector)[512]);
// The answer of the drive-layout request for "\\.\PhysicalDrive0"; its first
// 32-bit word is the partition count.
bool GetDriveLayout(std::vector<uint8_t>& layout);
// "\\.\X:" for reading and writing; on failure `error` is the system's code.
bool OpenVolume(char letter, UniqueFileHandle& volume, DWORD& error);
