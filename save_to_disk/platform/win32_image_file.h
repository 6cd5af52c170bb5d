// The virtual notebook's disk image through the Win32 file calls, which every
// Windows the program runs on has (CreateFileA, ReadFile, WriteFile,
// SetFilePointer, GetFileSize).
#pragma once

#include <memory>
#include <string>

#include "save_to_disk/image/image_file.h"

// The image at `path`, for reading and writing or for reading only, shared
// with other readers and writers; nullptr when it cannot be opened.
std::unique_ptr<ImageFile> OpenWin32ImageFile(const std::string& path, bool writable);
