#include "help_compiler/core/code_page.h"

#include <iconv.h>

#include <cstdio>

namespace {

class Converter {
public:
    explicit Converter(int codePage)
        : handle_(iconv_open(codePage == 932 ? "CP932" : "CP1252", "UTF-32LE")) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // One character; false when the code page has none for it.
    bool Convert(char32_t character, std::string& out) {
        char in[4];
        for (int i = 0; i < 4; ++i) in[i] = static_cast<char>((character >> (8 * i)) & 0xFF);
        char bytes[8];
        char* inPointer = in;
        char* outPointer = bytes;
        size_t inLeft = sizeof in, outLeft = sizeof bytes;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle_, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1)) return false;
        out.append(bytes, outPointer);
        return true;
    }

private:
    iconv_t handle_;
};

// The next character of UTF-8 text at position; false on a malformed, overlong
// or surrogate sequence.
bool NextCharacter(std::string_view text, size_t& position, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned first = byte(position);
    size_t length = 0;
    char32_t value = 0, minimum = 0;
    if (first < 0x80) { length = 1; value = first; }
    else if ((first & 0xE0) == 0xC0) { length = 2; value = first & 0x1F; minimum = 0x80; }
    else if ((first & 0xF0) == 0xE0) { length = 3; value = first & 0x0F; minimum = 0x800; }
    else if ((first & 0xF8) == 0xF0) { length = 4; value = first & 0x07; minimum = 0x10000; }
    else return false;
    if (text.size() - position < length) return false;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(position + i) & 0xC0) != 0x80) return false;
        value = (value << 6) | (byte(position + i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    position += length;
    character = value;
    return true;
}

bool IsControl(char32_t character) {
    return (character < 0x20 && character != '\t') || (character >= 0x7F && character < 0xA0);
}

}  // namespace

EncodeResult EncodeInCodePage(int codePage, std::string_view text, std::string& out, std::string& character) {
    Converter converter(codePage);
    std::string encoded;
    for (size_t position = 0; position < text.size();) {
        const size_t start = position;
        char32_t next = 0;
        if (!NextCharacter(text, position, next)) return EncodeResult::kMalformed;
        if (!converter.valid() || IsControl(next) || !converter.Convert(next == '\t' ? U' ' : next, encoded)) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(next));
            character = code;
            if (!IsControl(next)) character += " '" + std::string(text.substr(start, position - start)) + "'";
            return EncodeResult::kUnmappable;
        }
    }
    out = std::move(encoded);
    return EncodeResult::kDone;
}
