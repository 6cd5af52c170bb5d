#include "help_compiler/core/byte_stream.h"

void ByteWriter::Raw(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void ByteWriter::StringZ(std::string_view text) {
    Text(text);
    U8(0);
}

// A compressed number keeps its form in bit 0: clear for the short form, set
// for the long one. The signed forms are biased by half their range.
bool ByteWriter::CompressedUnsigned16(uint32_t value) {
    if (value < 0x80) {
        U8(static_cast<uint8_t>(value * 2));
        return true;
    }
    if (value < 0x8000) {
        U16(static_cast<uint16_t>(value * 2 + 1));
        return true;
    }
    return false;
}

bool ByteWriter::CompressedSigned16(int32_t value) {
    if (value >= -0x40 && value < 0x40) {
        U8(static_cast<uint8_t>((value + 0x40) * 2));
        return true;
    }
    if (value >= -0x4000 && value < 0x4000) {
        U16(static_cast<uint16_t>((value + 0x4000) * 2 + 1));
        return true;
    }
    return false;
}

bool ByteWriter::CompressedSigned32(int32_t value) {
    if (value < -0x4000 || value >= 0x4000) return false;
    U16(static_cast<uint16_t>((value + 0x4000) * 2));
    return true;
}

bool ByteReader::Raw(void* out, size_t size) {
    if (!ok_ || size > remaining()) return Fail();
    std::memcpy(out, bytes_.data() + position_, size);
    position_ += size;
    return true;
}

bool ByteReader::U8(uint8_t& value) { return Raw(&value, 1); }

bool ByteReader::StringZ(std::string& text) {
    if (!ok_) return false;
    for (size_t end = position_; end < bytes_.size(); ++end) {
        if (bytes_[end] == 0) {
            text.assign(reinterpret_cast<const char*>(bytes_.data() + position_), end - position_);
            position_ = end + 1;
            return true;
        }
    }
    return Fail();
}

bool ByteReader::Skip(size_t count) {
    if (!ok_ || count > remaining()) return Fail();
    position_ += count;
    return true;
}

bool ByteReader::Seek(size_t offset) {
    if (!ok_ || offset > bytes_.size()) return Fail();
    position_ = offset;
    return true;
}

bool ByteReader::CompressedUnsigned16(uint32_t& value) {
    uint8_t first = 0;
    if (!U8(first)) return false;
    if ((first & 1) == 0) {
        value = first / 2u;
        return true;
    }
    uint8_t second = 0;
    if (!U8(second)) return false;
    value = (first | (second << 8u)) / 2u;
    return true;
}

bool ByteReader::CompressedSigned16(int32_t& value) {
    uint8_t first = 0;
    if (!U8(first)) return false;
    if ((first & 1) == 0) {
        value = first / 2 - 0x40;
        return true;
    }
    uint8_t second = 0;
    if (!U8(second)) return false;
    value = static_cast<int32_t>((first | (second << 8u)) / 2u) - 0x4000;
    return true;
}

bool ByteReader::CompressedSigned32(int32_t& value) {
    uint16_t first = 0;
    if (!U16(first)) return false;
    if ((first & 1) == 0) {
        value = static_cast<int32_t>(first / 2u) - 0x4000;
        return true;
    }
    uint16_t second = 0;
    if (!U16(second)) return false;
    // The long form is biased by 2^30, as the readers of its time take it.
    const uint32_t raw = first | (static_cast<uint32_t>(second) << 16);
    value = static_cast<int32_t>(raw / 2u - 0x40000000u);
    return true;
}
