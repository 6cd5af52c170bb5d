// The bytes of a disk image file, read and written at any offset. The tools
// and tests open it with the C++ library's streams (OpenStreamImageFile); the
// programs' disk-image binding with the Win32 file calls, which Windows 95 and
// NT 4.0 have, where the streams of the C run time need calls they lack.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class ImageFile {
public:
    virtual ~ImageFile() = default;
    // The file's length in bytes when it was opened.
    virtual uint64_t Size() const = 0;
    // Exactly `size` bytes at `offset`; false when any of them cannot be read
    // or written.
    virtual bool Read(uint64_t offset, void* data, uint64_t size) = 0;
    virtual bool Write(uint64_t offset, const void* data, uint64_t size) = 0;
};

// The image at `path` opened for reading and writing; nullptr when it cannot be.
std::unique_ptr<ImageFile> OpenStreamImageFile(const std::string& path);
