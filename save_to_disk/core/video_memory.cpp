#include "save_to_disk/core/video_memory.h"

#include <cctype>

namespace {

constexpr char kVideoDevice[] = "\\device\\video";
constexpr char kMachineRoot[] = "\\registry\\machine\\";

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

bool NamesVideoDevice(const std::string& valueName) {
    return Lower(valueName).find(kVideoDevice) != std::string::npos;
}

bool MachineKeyOf(const std::string& registryPath, std::string& key) {
    const size_t prefix = sizeof kMachineRoot - 1;
    if (registryPath.size() <= prefix || Lower(registryPath.substr(0, prefix)) != kMachineRoot) return false;
    key = registryPath.substr(prefix);
    return true;
}

uint64_t FrameBytes(uint32_t bitsPerPixel, uint32_t width, uint32_t height) {
    return (uint64_t(bitsPerPixel) * width * height + 7) / 8;
}

uint64_t VideoMemoryAbove(uint64_t largestFrame) {
    uint64_t size = 1;
    while (size <= largestFrame && size < (uint64_t(1) << 62)) size *= 2;
    return size;
}
