// The files that find topics: |CONTEXT (context string hash to topic),
// |CTXOMAP (context number to topic: what HELP_CONTEXT and
// HELP_CONTEXTPOPUP look up), |TTLBTREE (topic titles), and for keywords the
// index |KWBTREE, |KWDATA and |KWMAP.
#pragma once

#include <cstdint>
#include <vector>

#include "help_compiler/core/help_document.h"
#include "help_compiler/core/internal_files.h"
#include "help_compiler/core/source_error.h"

// The files for document, whose topics begin at topicOffsets; false, with
// the line, when two context numbers hash alike or an entry is too long.
bool BuildIndexFiles(const HelpDocument& document, const std::vector<uint32_t>& topicOffsets,
                     std::vector<InternalFile>& files, SourceError& error);
