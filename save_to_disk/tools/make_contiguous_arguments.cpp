#include "save_to_disk/tools/make_contiguous_arguments.h"

#include <cstring>

namespace {

constexpr size_t kLongestPath = 250;

// A decimal number that fits `limit`; false for anything else.
bool ParseNumber(const char* text, uint64_t limit, uint64_t& value) {
    if (*text == '\0') return false;
    uint64_t v = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + uint64_t(*p - '0');
        if (v > limit) return false;
    }
    value = v;
    return true;
}

}  // namespace

bool ParseMakeContiguousArguments(int argc, const char* const* argv, MakeContiguousArguments& arguments) {
    if (argc < 4) return false;
    MakeContiguousArguments read;
    read.image = argv[1];
    read.path = argv[2];
    if (read.path.empty() || read.path[0] != '\\' || read.path.size() > kLongestPath) return false;
    if (!ParseNumber(argv[3], 0xFFFFFFFFu, read.bytes)) return false;
    for (int i = 4; i < argc; ++i) {
        if (std::strcmp(argv[i], "--partition") == 0 && i + 1 < argc) {
            uint64_t partition;
            if (!ParseNumber(argv[++i], 4, partition)) return false;
            read.partition = unsigned(partition);
        } else if (std::strcmp(argv[i], "--engine") == 0 && i + 1 < argc) {
            ++i;
            if (std::strcmp(argv[i], "fsctl") == 0)
                read.fsctl = true;
            else if (std::strcmp(argv[i], "fat") == 0)
                read.fsctl = false;
            else
                return false;
        } else {
            return false;
        }
    }
    arguments = std::move(read);
    return true;
}
