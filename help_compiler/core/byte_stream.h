// Little-endian bytes in and out, and WinHelp's compressed numbers. The
// reader checks every read against the end of its bytes and stays failed once
// a read went past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class ByteWriter {
public:
    void U8(uint8_t value) { bytes_.push_back(value); }
    void U16(uint16_t value) { Raw(&value, sizeof value); }
    void U32(uint32_t value) { Raw(&value, sizeof value); }
    void Raw(const void* data, size_t size);
    void Bytes(std::span<const uint8_t> data) { Raw(data.data(), data.size()); }
    void Text(std::string_view text) { Raw(text.data(), text.size()); }
    // The text and its NUL.
    void StringZ(std::string_view text);
    void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // A packed disk record, copied as it is.
    template <typename Record>
    void Put(const Record& record) {
        static_assert(std::is_trivially_copyable_v<Record>);
        Raw(&record, sizeof record);
    }
    template <typename Record>
    void PutAt(size_t offset, const Record& record) {
        static_assert(std::is_trivially_copyable_v<Record>);
        std::memcpy(bytes_.data() + offset, &record, sizeof record);
    }

    // WinHelp's compressed numbers, in their short form only: a value that
    // needs the long form returns false and writes nothing.
    bool CompressedUnsigned16(uint32_t value);  // one byte below 128, else two
    bool CompressedSigned16(int32_t value);     // one byte for -64..63, else two
    bool CompressedSigned32(int32_t value);     // two bytes for -16384..16383

    size_t size() const { return bytes_.size(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool U8(uint8_t& value);
    bool U16(uint16_t& value) { return Raw(&value, sizeof value); }
    bool U32(uint32_t& value) { return Raw(&value, sizeof value); }
    bool Raw(void* out, size_t size);
    // Up to the next NUL, which is consumed and not stored.
    bool StringZ(std::string& text);
    bool Skip(size_t count);
    bool Seek(size_t offset);
    template <typename Record>
    bool Get(Record& record) {
        static_assert(std::is_trivially_copyable_v<Record>);
        return Raw(&record, sizeof record);
    }

    // Both forms of WinHelp's compressed numbers.
    bool CompressedUnsigned16(uint32_t& value);
    bool CompressedSigned16(int32_t& value);
    bool CompressedSigned32(int32_t& value);

    bool ok() const { return ok_; }
    size_t position() const { return position_; }
    size_t remaining() const { return bytes_.size() - position_; }

private:
    bool Fail() { ok_ = false; return false; }

    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
    bool ok_ = true;
};
