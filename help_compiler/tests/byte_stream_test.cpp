#include "help_compiler/core/byte_stream.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Compressed {
    const char* form;
    int32_t value;
    std::vector<uint8_t> bytes;
};

// The short and long forms of WinHelp's compressed numbers, as the format
// description gives them: the form in bit 0, signed values biased.
const Compressed kCompressed[] = {
    {"unsigned16", 0, {0x00}},
    {"unsigned16", 5, {0x0A}},
    {"unsigned16", 127, {0xFE}},
    {"unsigned16", 128, {0x01, 0x01}},
    {"unsigned16", 0x7FFF, {0xFF, 0xFF}},
    {"signed16", -64, {0x00}},
    {"signed16", 0, {0x80}},
    {"signed16", 63, {0xFE}},
    {"signed16", 64, {0x81, 0x80}},
    {"signed16", -65, {0x7F, 0x7F}},
    {"signed32", 0, {0x00, 0x80}},
    {"signed32", 300, {0x58, 0x82}},
    {"signed32", -16384, {0x00, 0x00}},
    {"signed32", 16383, {0xFE, 0xFF}},
};

bool Write(ByteWriter& writer, const std::string& form, int32_t value) {
    if (form == "unsigned16") return writer.CompressedUnsigned16(static_cast<uint32_t>(value));
    if (form == "signed16") return writer.CompressedSigned16(value);
    return writer.CompressedSigned32(value);
}

bool Read(ByteReader& reader, const std::string& form, int32_t& value) {
    if (form == "unsigned16") {
        uint32_t unsignedValue = 0;
        const bool read = reader.CompressedUnsigned16(unsignedValue);
        value = static_cast<int32_t>(unsignedValue);
        return read;
    }
    if (form == "signed16") return reader.CompressedSigned16(value);
    return reader.CompressedSigned32(value);
}

TEST(CompressedNumbers, HaveTheirBytesAndReadBack) {
    for (const Compressed& row : kCompressed) {
        SCOPED_TRACE(std::string(row.form) + " " + std::to_string(row.value));
        ByteWriter writer;
        ASSERT_TRUE(Write(writer, row.form, row.value));
        EXPECT_EQ(writer.bytes(), row.bytes);
        ByteReader reader(writer.bytes());
        int32_t read = 0;
        ASSERT_TRUE(Read(reader, row.form, read));
        EXPECT_EQ(read, row.value);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(CompressedNumbers, RefuseWhatTheirShortFormsCannotHold) {
    for (const auto& [form, value] : {std::pair{"unsigned16", 0x8000}, {"signed16", 0x4000}, {"signed16", -0x4001},
                                      {"signed32", 0x4000}, {"signed32", -0x4001}}) {
        ByteWriter writer;
        EXPECT_FALSE(Write(writer, form, value)) << form << " " << value;
        EXPECT_EQ(writer.size(), 0u);
    }
}

TEST(ByteReader, StopsAtTheEndAndStaysFailed) {
    const std::vector<uint8_t> bytes = {0x01, 0x02, 0x03, 'a', 'b'};
    ByteReader reader(bytes);
    uint16_t word = 0;
    uint32_t doubleWord = 0;
    std::string text;
    EXPECT_TRUE(reader.U16(word));
    EXPECT_EQ(word, 0x0201);
    EXPECT_FALSE(reader.U32(doubleWord)) << "three bytes left";
    EXPECT_FALSE(reader.ok());
    EXPECT_FALSE(reader.U8(*reinterpret_cast<uint8_t*>(&word))) << "failed once, failed for good";

    ByteReader unterminated(std::span<const uint8_t>(bytes).subspan(3));
    EXPECT_FALSE(unterminated.StringZ(text)) << "a string without its NUL";
    EXPECT_FALSE(ByteReader(bytes).Seek(6));
}

}  // namespace
