// The text of a help topic as the help reader shows it, one paragraph a line
// (the title of a @topic first): as a help source writes it, and as a help
// file the build made holds it.
#pragma once

#include <cstdint>
#include <string>

// What the help source at path (help_<LANGID>.txt) writes for the topic that
// carries context; "" when none does or the source does not parse.
std::wstring SourceTopicText(const std::string& path, std::uint32_t context);

// The same for the source's contents topic (@contents).
std::wstring SourceContentsText(const std::string& path);

// What the help file at path holds for context, found as the reader finds it
// (|CTXOMAP) and read in the file's code page; "" when the file does not
// decode or has no such context.
std::wstring FileTopicText(const std::string& path, std::uint32_t context);
