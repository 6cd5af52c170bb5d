// The image through the C++ library's file streams, for the tools, the tests
// and the fuzzers; every write is handed to the system before it returns.
#include <fstream>

#include "save_to_disk/image/disk_image.h"
#include "save_to_disk/image/image_file.h"

namespace {

class StreamImageFile final : public ImageFile {
public:
    bool Open(const std::string& path) {
        stream_.open(path, std::ios::in | std::ios::out | std::ios::binary);
        if (!stream_.is_open()) return false;
        stream_.seekg(0, std::ios::end);
        size_ = uint64_t(stream_.tellg());
        return bool(stream_);
    }
    uint64_t Size() const override { return size_; }
    bool Read(uint64_t offset, void* data, uint64_t size) override {
        stream_.clear();
        stream_.seekg(std::streamoff(offset));
        stream_.read(static_cast<char*>(data), std::streamsize(size));
        return bool(stream_);
    }
    bool Write(uint64_t offset, const void* data, uint64_t size) override {
        stream_.clear();
        stream_.seekp(std::streamoff(offset));
        stream_.write(static_cast<const char*>(data), std::streamsize(size));
        stream_.flush();
        return bool(stream_);
    }

private:
    std::fstream stream_;
    uint64_t size_ = 0;
};

}  // namespace

std::unique_ptr<ImageFile> OpenStreamImageFile(const std::string& path) {
    auto file = std::make_unique<StreamImageFile>();
    if (!file->Open(path)) return nullptr;
    return file;
}

bool DiskImage::Open(const std::string& imagePath, unsigned partition) {
    return Open(OpenStreamImageFile(imagePath), partition);
}
