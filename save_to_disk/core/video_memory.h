// The arithmetic of the video-memory lookups of Windows NT: which values of
// the video device map name a video device, the key their data names, and
// the memory a display mode needs.
#pragma once

#include <cstdint>
#include <string>

// A value name of HARDWARE\DEVICEMAP\VIDEO that names a video device
// ("\Device\Video0" and the like, in any case).
bool NamesVideoDevice(const std::string& valueName);
// The key under HKEY_LOCAL_MACHINE that a device map value names: the text
// after "\Registry\Machine\". False when it names no key there.
bool MachineKeyOf(const std::string& registryPath, std::string& key);
// Bytes of one frame of a display mode: (bits per pixel x width x height + 7) / 8.
uint64_t FrameBytes(uint32_t bitsPerPixel, uint32_t width, uint32_t height);
// The smallest power of two above the largest frame.
uint64_t VideoMemoryAbove(uint64_t largestFrame);
