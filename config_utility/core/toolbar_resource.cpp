#include "config_utility/core/toolbar_resource.h"

#include <cstring>

namespace {

std::uint16_t ReadWord(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool ParseToolbarResource(const void* data, std::size_t size, ToolbarResource& toolbar) {
    if (data == nullptr || size < sizeof(ToolbarResourceHeader)) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (ReadWord(bytes) != 1) return false;
    const std::size_t count = ReadWord(bytes + 6);
    if (count > kMaxToolbarEntries) return false;
    if (size < sizeof(ToolbarResourceHeader) + 2 * count) return false;

    ToolbarResource parsed;
    parsed.width = ReadWord(bytes + 2);
    parsed.height = ReadWord(bytes + 4);
    parsed.count = count;
    for (std::size_t i = 0; i < count; ++i)
        parsed.commands[i] = ReadWord(bytes + sizeof(ToolbarResourceHeader) + 2 * i);
    toolbar = parsed;
    return true;
}
