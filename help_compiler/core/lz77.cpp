#include "help_compiler/core/lz77.h"

static_assert(LiteralFrameSize(LiteralCapacity(4084)) <= 4084);
static_assert(LiteralFrameSize(LiteralCapacity(4084) + 1) > 4084);

std::vector<uint8_t> FrameAsLiterals(std::span<const uint8_t> data) {
    std::vector<uint8_t> stream;
    stream.reserve(LiteralFrameSize(data.size()));
    for (size_t i = 0; i < data.size(); ++i) {
        if (i % 8 == 0) stream.push_back(0);  // eight literals follow
        stream.push_back(data[i]);
    }
    return stream;
}

bool ExpandLz77(std::span<const uint8_t> stream, size_t limit, std::vector<uint8_t>& out) {
    std::vector<uint8_t> expanded;
    size_t in = 0;
    while (in < stream.size() && expanded.size() < limit) {
        const uint8_t flags = stream[in++];
        for (int bit = 0; bit < 8 && in < stream.size() && expanded.size() < limit; ++bit) {
            if ((flags & (1u << bit)) == 0) {
                expanded.push_back(stream[in++]);
                continue;
            }
            if (stream.size() - in < 2) return false;
            const unsigned code = stream[in] | (stream[in + 1] << 8u);
            in += 2;
            const size_t distance = (code & 0x0FFFu) + 1;
            size_t length = (code >> 12) + 3;
            if (distance > expanded.size()) return false;
            // Byte by byte: a copy may overlap the bytes it makes.
            while (length-- > 0 && expanded.size() < limit) expanded.push_back(expanded[expanded.size() - distance]);
        }
    }
    out = std::move(expanded);
    return true;
}
