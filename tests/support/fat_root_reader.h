// The tests' own reader of a file in the root of a FAT volume of an MBR disk
// image: what the save-to-disk utility wrote, read with no code of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RootFile {
    bool found = false;
    uint8_t attributes = 0;
    uint32_t size = 0;
    std::vector<uint32_t> clusters;
    std::vector<uint8_t> bytes;  // the clusters' contents, in chain order
};

// The file of 8.3 name (11 characters, blank-padded) in the root of the
// volume of MBR entry `partition` (0 to 3) of the image at `image`.
RootFile ReadRootFile(const std::string& image, int partition, const char (&name)[12]);

// Whether the clusters are one run, each the one before plus one.
bool OneRun(const std::vector<uint32_t>& clusters);

// The little-endian number of n bytes at p.
uint32_t Le(const uint8_t* p, int n);
