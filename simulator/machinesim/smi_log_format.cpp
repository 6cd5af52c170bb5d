#include "simulator/machinesim/smi_log_format.h"

#include <cstdio>
#include <cstring>

#include "machine_control/core/smi_operations.h"

namespace {

void AppendWords(std::string& line, const SmiRequest& block) {
    std::uint32_t words[11];
    static_assert(sizeof words == sizeof block, "a block is eleven words");
    std::memcpy(words, &block, sizeof words);
    char text[12];
    for (std::uint32_t w : words) {
        std::snprintf(text, sizeof text, " %08X", w);
        line += text;
    }
}

}  // namespace

const char* SmiOperationName(const SmiRequest& request) {
    const std::uint32_t index = SmiOperationIndex(request);
    return index < kSmiOperationCount ? kSmiOperations[index].name : "unknown";
}

std::string FormatSmiLogLine(const SmiLogEntry& entry, bool decode) {
    std::string line = "REQ";
    AppendWords(line, entry.request);
    line += " ->";
    AppendWords(line, entry.reply);
    if (decode) {
        line += ' ';
        line += SmiOperationName(entry.request);
    }
    return line;
}
