#include "tests/support/fat_root_reader.h"

#include <cstring>
#include <fstream>

uint32_t Le(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

RootFile ReadRootFile(const std::string& image, int partition, const char (&name)[12]) {
    RootFile file;
    std::ifstream disk(image, std::ios::binary);
    auto read = [&](uint64_t at, size_t size) {
        std::vector<uint8_t> bytes(size);
        disk.seekg(std::streamoff(at));
        disk.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
        return bytes;
    };
    const std::vector<uint8_t> mbr = read(0, 512);
    const uint64_t base = uint64_t(Le(&mbr[446 + 16 * partition + 8], 4)) * 512;
    const std::vector<uint8_t> boot = read(base, 512);
    const uint32_t bps = Le(&boot[11], 2), spc = boot[13], reserved = Le(&boot[14], 2), fats = boot[16];
    const uint32_t rootEntries = Le(&boot[17], 2);
    const bool fat32 = Le(&boot[22], 2) == 0;
    const uint32_t fatSectors = fat32 ? Le(&boot[36], 4) : Le(&boot[22], 2);
    const std::vector<uint8_t> fat = read(base + uint64_t(reserved) * bps, size_t(fatSectors) * bps);
    const uint64_t rootStart = base + (uint64_t(reserved) + uint64_t(fats) * fatSectors) * bps;
    const uint64_t dataStart = rootStart + uint64_t(rootEntries) * 32;
    const uint32_t bpc = bps * spc;
    auto next = [&](uint32_t c) { return fat32 ? Le(&fat[c * 4], 4) & 0x0FFFFFFF : Le(&fat[c * 2], 2); };
    auto end = [&](uint32_t c) { return c >= (fat32 ? 0x0FFFFFF8u : 0xFFF8u) || c < 2; };
    auto clusterAt = [&](uint32_t c) { return dataStart + uint64_t(c - 2) * bpc; };
    std::vector<uint8_t> root;
    if (fat32) {
        for (uint32_t c = Le(&boot[44], 4); !end(c) && root.size() < 1u << 20; c = next(c)) {
            const auto cluster = read(clusterAt(c), bpc);
            root.insert(root.end(), cluster.begin(), cluster.end());
        }
    } else {
        root = read(rootStart, size_t(rootEntries) * 32);
    }
    for (size_t at = 0; at + 32 <= root.size() && root[at] != 0; at += 32) {
        const uint8_t* e = &root[at];
        if (e[0] == 0xE5 || std::memcmp(e, name, 11) != 0) continue;
        file.found = true;
        file.attributes = e[11];
        file.size = Le(e + 28, 4);
        uint32_t c = Le(e + 26, 2) | (fat32 ? Le(e + 20, 2) << 16 : 0);
        for (; !end(c) && file.clusters.size() < 1u << 20; c = next(c)) {
            file.clusters.push_back(c);
            const auto cluster = read(clusterAt(c), bpc);
            file.bytes.insert(file.bytes.end(), cluster.begin(), cluster.end());
        }
        break;
    }
    return file;
}

bool OneRun(const std::vector<uint32_t>& clusters) {
    for (size_t i = 1; i < clusters.size(); ++i)
        if (clusters[i] != clusters[i - 1] + 1) return false;
    return !clusters.empty();
}
