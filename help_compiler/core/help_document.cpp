#include "help_compiler/core/help_document.h"

#include <map>

#include "help_compiler/core/code_page.h"

namespace {

class Encoder {
public:
    Encoder(int codePage, SourceError& error) : codePage_(codePage), error_(error) {}

    bool Encode(const SourceText& text, std::string& out) {
        std::string character;
        switch (EncodeInCodePage(codePage_, text.text, out, character)) {
            case EncodeResult::kDone:
                return true;
            case EncodeResult::kMalformed:
                error_ = {text.line, "the line is not UTF-8"};
                return false;
            case EncodeResult::kUnmappable:
                error_ = {text.line, "code page " + std::to_string(codePage_) + " has no character " + character};
                return false;
        }
        return false;
    }

    // The pieces of a paragraph, joined with one space.
    bool Encode(const std::vector<SourceText>& pieces, std::string& out) {
        std::string joined;
        for (const SourceText& piece : pieces) {
            std::string text;
            if (!Encode(piece, text)) return false;
            if (!joined.empty()) joined += ' ';
            joined += text;
        }
        out = std::move(joined);
        return true;
    }

    // A title or keyword, which the index files hold.
    bool EncodeIndexText(const SourceText& text, std::string& out, const char* what) {
        if (!Encode(text, out)) return false;
        if (out.size() <= kMaxIndexText) return true;
        error_ = {text.line, std::string("the ") + what + " is longer than " + std::to_string(kMaxIndexText) + " bytes"};
        return false;
    }

private:
    int codePage_;
    SourceError& error_;
};

}  // namespace

bool EncodeHelpSource(const HelpSource& source, HelpDocument& document, SourceError& error) {
    Encoder encoder(source.codePage, error);
    HelpDocument encoded;
    encoded.codePage = source.codePage;
    encoded.language = source.language;
    encoded.contents = source.contents;
    if (!encoder.Encode(source.title, encoded.title)) return false;

    std::map<uint32_t, bool> popups;  // context number: its topic is a popup
    for (const SourceTopic& topic : source.topics) {
        for (uint32_t context : topic.contexts) popups[context] = topic.popup;
    }
    for (const SourceTopic& topic : source.topics) {
        HelpTopic& out = encoded.topics.emplace_back();
        out.line = topic.line;
        out.popup = topic.popup;
        out.contexts = topic.contexts;
        if (!topic.popup && !encoder.EncodeIndexText(topic.title, out.title, "title")) return false;
        for (const SourceParagraph& paragraph : topic.paragraphs) {
            HelpParagraph& encodedParagraph = out.paragraphs.emplace_back();
            encodedParagraph.line = paragraph.pieces.front().line;
            encodedParagraph.style = paragraph.kind == ParagraphKind::kHeading ? ParagraphStyle::kHeading
                                                                               : ParagraphStyle::kBody;
            encodedParagraph.jump = paragraph.kind == ParagraphKind::kJump;
            encodedParagraph.target = paragraph.target;
            encodedParagraph.popupTarget = encodedParagraph.jump && popups[paragraph.target];
            if (!encoder.Encode(paragraph.pieces, encodedParagraph.text)) return false;
        }
        for (const SourceText& keyword : topic.keywords) {
            if (!encoder.EncodeIndexText(keyword, out.keywords.emplace_back(), "keyword")) return false;
        }
    }
    document = std::move(encoded);
    return true;
}
