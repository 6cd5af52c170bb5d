#include "save_to_disk/platform/win32_image_file.h"

#include <windows.h>

#include "common/win32/unique_handle.h"

namespace {

// The most one ReadFile or WriteFile moves; longer transfers go in pieces.
constexpr uint64_t kLongestTransfer = 1u << 30;

class Win32ImageFile final : public ImageFile {
public:
    Win32ImageFile(UniqueFileHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}
    uint64_t Size() const override { return size_; }

    bool Read(uint64_t offset, void* data, uint64_t size) override {
        auto* bytes = static_cast<uint8_t*>(data);
        while (size > 0) {
            const DWORD piece = DWORD(size < kLongestTransfer ? size : kLongestTransfer);
            DWORD read = 0;
            if (!Seek(offset) || !ReadFile(file_.get(), bytes, piece, &read, nullptr) || read != piece) return false;
            offset += piece;
            bytes += piece;
            size -= piece;
        }
        return true;
    }

    bool Write(uint64_t offset, const void* data, uint64_t size) override {
        const auto* bytes = static_cast<const uint8_t*>(data);
        while (size > 0) {
            const DWORD piece = DWORD(size < kLongestTransfer ? size : kLongestTransfer);
            DWORD written = 0;
            if (!Seek(offset) || !WriteFile(file_.get(), bytes, piece, &written, nullptr) || written != piece)
                return false;
            offset += piece;
            bytes += piece;
            size -= piece;
        }
        return true;
    }

private:
    bool Seek(uint64_t offset) {
        LONG high = LONG(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(file_.get(), LONG(uint32_t(offset)), &high, FILE_BEGIN);
        return !(low == 0xFFFFFFFF && GetLastError() != NO_ERROR);
    }

    UniqueFileHandle file_;
    uint64_t size_;
};

}  // namespace

std::unique_ptr<ImageFile> OpenWin32ImageFile(const std::string& path, bool writable) {
    UniqueFileHandle file(CreateFileA(path.c_str(), writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file.get(), &high);
    if (low == 0xFFFFFFFF && GetLastError() != NO_ERROR) return nullptr;
    return std::make_unique<Win32ImageFile>(std::move(file), uint64_t(high) << 32 | low);
}
