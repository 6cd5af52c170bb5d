#include "help_compiler/core/system_file.h"

#include "help_compiler/core/byte_stream.h"
#include "help_compiler/core/help_file_layout.h"

namespace {

// Face names take fixed slots of 32 bytes.
constexpr size_t kFaceNameSize = 32;

void Record(ByteWriter& out, uint16_t type, const ByteWriter& data) {
    out.Put(SystemRecordHeader{type, static_cast<uint16_t>(data.size())});
    out.Bytes(data.bytes());
}

}  // namespace

HelpFont FontOfCodePage(int codePage) {
    if (codePage == 932) return {"MS PGothic", 18, kShiftJisCharset};
    return {"MS Sans Serif", 16, kAnsiCharset};
}

std::vector<uint8_t> BuildSystemFile(const HelpDocument& document, uint32_t contentsOffset) {
    const HelpFont font = FontOfCodePage(document.codePage);
    ByteWriter out;
    out.Put(SystemHeader{kSystemMagic, kHelpFormatMinor, 1, 0, kSystemFlagsCompressed4k});

    ByteWriter title;
    title.StringZ(document.title);
    Record(out, kSystemTitle, title);

    ByteWriter contents;
    contents.U32(contentsOffset);
    Record(out, kSystemContents, contents);

    // Two comparison flags, two unused words, then the LCID.
    ByteWriter lcid;
    lcid.Zeros(8);
    lcid.U16(document.language);
    Record(out, kSystemLcid, lcid);

    ByteWriter charset;
    charset.U16(font.charset);
    Record(out, kSystemCharset, charset);

    // The font of the reader's own dialogs (its index): points, charset, face.
    ByteWriter dialogFont;
    dialogFont.U8(static_cast<uint8_t>(font.halfPoints / 2));
    dialogFont.U8(font.charset);
    dialogFont.StringZ(font.face);
    Record(out, kSystemDefaultFont, dialogFont);
    return out.Take();
}

std::vector<uint8_t> BuildFontFile(int codePage) {
    const HelpFont font = FontOfCodePage(codePage);
    ByteWriter out;
    const FontFileHeader header{1, 2, sizeof(FontFileHeader), static_cast<uint16_t>(sizeof(FontFileHeader) + kFaceNameSize)};
    out.Put(header);
    ByteWriter face;
    face.Text(font.face);
    face.Zeros(kFaceNameSize - face.size());
    out.Bytes(face.bytes());
    for (uint8_t attributes : {uint8_t{0}, kFontBold}) {
        out.Put(FontDescriptor{attributes, font.halfPoints, kFontFamilySwiss, 0, {0, 0, 0}, {0xFF, 0xFF, 0xFF}});
    }
    return out.Take();
}
