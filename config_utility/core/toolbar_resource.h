// The toolbar resource format (RT_TOOLBAR, type 241): a version word, the
// button width and height, the entry count, and one command id per entry
// (0 for a separator, which has no image).
#pragma once

#include <cstddef>
#include <cstdint>

struct ToolbarResourceHeader {
    std::uint16_t version;
    std::uint16_t width;
    std::uint16_t height;
    std::uint16_t count;
};
static_assert(sizeof(ToolbarResourceHeader) == 8, "toolbar resource header is four words");

inline constexpr std::uint16_t kRtToolbar = 241;
inline constexpr std::size_t kMaxToolbarEntries = 64;

struct ToolbarResource {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::size_t count = 0;
    std::uint16_t commands[kMaxToolbarEntries] = {};
};

// Reads a toolbar resource of size bytes. False when it is shorter than its
// header says, has another version, or more entries than kMaxToolbarEntries;
// toolbar is written only on success.
bool ParseToolbarResource(const void* data, std::size_t size, ToolbarResource& toolbar);
