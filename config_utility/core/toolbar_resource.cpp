#include "config_utility/core/toolbar_resource.h"

#include "common/core/little_endian.h"

bool ParseToolbarResource(const void* data, std::size_t size, ToolbarResource& toolbar) {
    if (data == nullptr || size < sizeof(ToolbarResourceHeader)) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (ReadLe16(bytes) != 1) return false;
    const std::size_t count = ReadLe16(bytes + 6);
    if (count > kMaxToolbarEntries) return false;
    if (size < sizeof(ToolbarResourceHeader) + 2 * count) return false;

    ToolbarResource parsed;
    parsed.width = ReadLe16(bytes + 2);
    parsed.height = ReadLe16(bytes + 4);
    parsed.count = count;
    for (std::size_t i = 0; i < count; ++i)
        parsed.commands[i] = ReadLe16(bytes + sizeof(ToolbarResourceHeader) + 2 * i);
    toolbar = parsed;
    return true;
}
