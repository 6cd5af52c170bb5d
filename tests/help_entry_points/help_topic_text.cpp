#include "tests/help_entry_points/help_topic_text.h"

#include <windows.h>

#include <algorithm>

#include "help_compiler/core/help_file_decoder.h"
#include "help_compiler/core/help_source.h"
#include "tests/support/test_log.h"

namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

void AddLine(std::wstring& text, const std::wstring& line) {
    if (!text.empty()) text += L'\n';
    text += line;
}

bool ParseSource(const std::string& path, HelpSource& source) {
    SourceError error;
    return ParseHelpSource(ReadWholeFile(path), source, error);
}

std::wstring TopicText(const HelpSource& source, std::uint32_t context) {
    for (const SourceTopic& topic : source.topics) {
        if (std::find(topic.contexts.begin(), topic.contexts.end(), context) == topic.contexts.end()) continue;
        std::wstring text;
        if (!topic.popup) AddLine(text, Wide(topic.title.text, CP_UTF8));
        for (const SourceParagraph& paragraph : topic.paragraphs) {
            std::string joined;
            for (const SourceText& piece : paragraph.pieces) joined += (joined.empty() ? "" : " ") + piece.text;
            AddLine(text, Wide(joined, CP_UTF8));
        }
        return text;
    }
    return {};
}

}  // namespace

std::wstring SourceTopicText(const std::string& path, std::uint32_t context) {
    HelpSource source;
    return ParseSource(path, source) ? TopicText(source, context) : std::wstring();
}

std::wstring SourceContentsText(const std::string& path) {
    HelpSource source;
    return ParseSource(path, source) ? TopicText(source, source.contents) : std::wstring();
}

std::wstring FileTopicText(const std::string& path, std::uint32_t context) {
    const std::string bytes = ReadWholeFile(path);
    DecodedHelpFile file;
    std::string error;
    if (!DecodeHelpFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, file, error)) return {};
    const DecodedTopic* topic = file.TopicOfContext(context);
    if (topic == nullptr) return {};
    const UINT codePage = file.charset == SHIFTJIS_CHARSET ? 932 : 1252;
    std::wstring text;
    for (const DecodedParagraph& paragraph : topic->paragraphs) AddLine(text, Wide(paragraph.text, codePage));
    return text;
}
