#include "help_compiler/core/help_source.h"

#include <cstdio>
#include <map>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// A context number or LCID: hexadecimal after "0x", else decimal.
bool ParseNumber(std::string_view text, uint32_t& value) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    uint64_t number = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return false;
        number = number * base + digit;
        if (number > 0xFFFFFFFFu) return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}

// Splits "LEFT | RIGHT" at its first '|'.
bool SplitAtBar(std::string_view argument, std::string_view& left, std::string_view& right) {
    const size_t bar = argument.find('|');
    if (bar == std::string_view::npos) return false;
    left = Trim(argument.substr(0, bar));
    right = Trim(argument.substr(bar + 1));
    return true;
}

class Parser {
public:
    Parser(HelpSource& source, SourceError& error) : source_(source), error_(error) {}

    bool Line(int number, std::string_view line);
    bool Finish(int lastLine);

private:
    struct HeaderLine {
        const char* name;
        int line = 0;
    };

    bool Fail(int line, std::string message) {
        error_ = {line, std::move(message)};
        return false;
    }
    bool Directive(int line, std::string_view name, std::string_view argument);
    bool Header(int line, HeaderLine& header, std::string_view argument);
    bool HeaderComplete(int line);
    bool StartTopic(int line, bool popup, std::string_view argument);
    bool Contexts(int line, std::string_view text, std::vector<uint32_t>& contexts);
    bool EndTopic();
    void EndParagraph() { open_ = false; }
    SourceTopic* Topic() { return source_.topics.empty() ? nullptr : &source_.topics.back(); }

    HelpSource& source_;
    SourceError& error_;
    HeaderLine title_{"@title"}, codePage_{"@codepage"}, language_{"@language"}, contents_{"@contents"};
    std::map<uint32_t, int> contextLines_;
    std::vector<std::pair<int, uint32_t>> jumps_;  // line, target
    bool open_ = false;  // a text paragraph takes the next line
};

bool Parser::Line(int number, std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with('#')) return true;
    if (line.starts_with('@')) {
        const size_t end = line.find_first_of(" \t");
        const std::string_view name = line.substr(1, end == std::string_view::npos ? line.npos : end - 1);
        const std::string_view argument = end == std::string_view::npos ? std::string_view{} : Trim(line.substr(end));
        return Directive(number, name, argument);
    }
    const std::string_view text = Trim(line);
    if (text.empty()) {
        EndParagraph();
        return true;
    }
    SourceTopic* topic = Topic();
    if (topic == nullptr) return Fail(number, "text outside a topic");
    if (!open_) {
        topic->paragraphs.push_back({ParagraphKind::kText, {}, 0});
        open_ = true;
    }
    topic->paragraphs.back().pieces.push_back({number, std::string(text)});
    return true;
}

bool Parser::Directive(int line, std::string_view name, std::string_view argument) {
    for (HeaderLine* header : {&title_, &codePage_, &language_, &contents_}) {
        if (name == header->name + 1) return Header(line, *header, argument);
    }
    EndParagraph();
    if (name == "topic" || name == "popup") return StartTopic(line, name == "popup", argument);

    const bool known = name == "heading" || name == "jump" || name == "keywords";
    if (!known) return Fail(line, "unknown directive @" + std::string(name));
    SourceTopic* topic = Topic();
    if (topic == nullptr) return Fail(line, "@" + std::string(name) + " outside a topic");
    if (name == "heading") {
        if (argument.empty()) return Fail(line, "@heading needs a text");
        topic->paragraphs.push_back({ParagraphKind::kHeading, {{line, std::string(argument)}}, 0});
        return true;
    }
    if (name == "jump") {
        std::string_view target, text;
        uint32_t context = 0;
        if (!SplitAtBar(argument, target, text) || !ParseNumber(target, context))
            return Fail(line, "@jump needs a context number, '|' and a text");
        if (text.empty()) return Fail(line, "@jump needs a text after '|'");
        topic->paragraphs.push_back({ParagraphKind::kJump, {{line, std::string(text)}}, context});
        jumps_.push_back({line, context});
        return true;
    }
    bool any = false;
    while (!argument.empty()) {
        const size_t end = argument.find(';');
        const std::string_view keyword = Trim(argument.substr(0, end));
        if (!keyword.empty()) {
            topic->keywords.push_back({line, std::string(keyword)});
            any = true;
        }
        argument = end == std::string_view::npos ? std::string_view{} : argument.substr(end + 1);
    }
    if (!any) return Fail(line, "@keywords needs at least one keyword");
    return true;
}

bool Parser::Header(int line, HeaderLine& header, std::string_view argument) {
    if (!source_.topics.empty()) return Fail(line, std::string(header.name) + " belongs before the first topic");
    if (header.line != 0)
        return Fail(line, std::string(header.name) + " is given twice (first on line " + std::to_string(header.line) +
                              ")");
    header.line = line;
    uint32_t number = 0;
    if (&header == &title_) {
        if (argument.empty()) return Fail(line, "@title needs a text");
        source_.title = {line, std::string(argument)};
    } else if (&header == &codePage_) {
        if (!ParseNumber(argument, number) || (number != 1252 && number != 932))
            return Fail(line, "@codepage must be 1252 or 932");
        source_.codePage = static_cast<int>(number);
    } else if (&header == &language_) {
        if (!ParseNumber(argument, number) || number == 0 || number > 0xFFFF)
            return Fail(line, "@language needs a language id such as 0x0409");
        source_.language = static_cast<uint16_t>(number);
    } else {
        if (!ParseNumber(argument, number)) return Fail(line, "@contents needs a context number");
        source_.contents = number;
    }
    return true;
}

bool Parser::HeaderComplete(int line) {
    for (const HeaderLine* header : {&title_, &codePage_, &language_, &contents_}) {
        if (header->line == 0)
            return Fail(line, std::string(header->name) +
                                  " is missing: @title, @codepage, @language and @contents come before the first topic");
    }
    return true;
}

bool Parser::StartTopic(int line, bool popup, std::string_view argument) {
    if (source_.topics.empty() && !HeaderComplete(line)) return false;
    if (!EndTopic()) return false;
    SourceTopic topic;
    topic.line = line;
    topic.popup = popup;
    std::string_view contexts = argument, title;
    if (popup) {
        if (argument.find('|') != std::string_view::npos) return Fail(line, "@popup takes context numbers, no title");
    } else {
        if (!SplitAtBar(argument, contexts, title)) return Fail(line, "@topic needs context numbers, '|' and a title");
        if (title.empty()) return Fail(line, "@topic needs a title after '|'");
        topic.title = {line, std::string(title)};
    }
    if (!Contexts(line, contexts, topic.contexts)) return false;
    source_.topics.push_back(std::move(topic));
    return true;
}

bool Parser::Contexts(int line, std::string_view text, std::vector<uint32_t>& contexts) {
    while (!(text = Trim(text)).empty()) {
        const size_t end = text.find_first_of(" \t");
        const std::string_view word = text.substr(0, end);
        uint32_t context = 0;
        if (!ParseNumber(word, context)) return Fail(line, "'" + std::string(word) + "' is no context number");
        const auto [previous, added] = contextLines_.emplace(context, line);
        if (!added)
            return Fail(line, "context number " + Hex(context) + " is used twice (first on line " +
                                  std::to_string(previous->second) + ")");
        contexts.push_back(context);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
    if (contexts.empty()) return Fail(line, "a topic needs at least one context number");
    return true;
}

bool Parser::EndTopic() {
    const SourceTopic* topic = Topic();
    if (topic != nullptr && topic->paragraphs.empty()) return Fail(topic->line, "the topic has no text");
    return true;
}

bool Parser::Finish(int lastLine) {
    if (source_.topics.empty()) {
        if (!HeaderComplete(lastLine)) return false;
        return Fail(lastLine, "the file has no topic");
    }
    if (!EndTopic()) return false;
    for (const auto& [line, target] : jumps_) {
        if (!contextLines_.contains(target)) return Fail(line, "no topic has the context number " + Hex(target));
    }
    if (!contextLines_.contains(source_.contents))
        return Fail(contents_.line, "no topic has the contents' context number " + Hex(source_.contents));
    return true;
}

}  // namespace

bool ParseHelpSource(std::string_view text, HelpSource& source, SourceError& error) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    HelpSource parsed;
    Parser parser(parsed, error);
    int line = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (!parser.Line(++line, text.substr(0, end))) return false;
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    if (!parser.Finish(line == 0 ? 1 : line)) return false;
    source = std::move(parsed);
    return true;
}
