// A help source compiled into a WinHelp 4.0 help file (.hlp).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "help_compiler/core/help_document.h"
#include "help_compiler/core/source_error.h"

// The help file of document: |SYSTEM, |FONT, |TOPIC, |CONTEXT, |CTXOMAP,
// |TTLBTREE, and |KWBTREE, |KWDATA, |KWMAP when topics have keywords.
bool WriteHelpFile(const HelpDocument& document, std::vector<uint8_t>& helpFile, SourceError& error);

// A help source's text parsed, encoded and written; false, with the first
// fault and its line, otherwise.
bool CompileHelpSource(std::string_view source, std::vector<uint8_t>& helpFile, SourceError& error);
