#include "save_to_disk/engine/fat/fat_directory.h"

bool MakeShortName(const char* path, char out[11]) {
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    std::memset(out, ' ', 11);
    size_t i = 0;
    size_t limit = 8;
    size_t pos = 0;
    bool sawDot = false;
    for (const char* p = name; *p; ++p) {
        char c = *p;
        if (c == '.') {
            if (sawDot || pos == 0) return false;
            sawDot = true;
            i = 8;
            limit = 11;
            continue;
        }
        if (i >= limit || c == ' ' || c == '*' || c == '?' || c == '/' || c == ':') return false;
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        out[i++] = c;
        ++pos;
    }
    return pos > 0 && !(sawDot && i == 8);
}

bool RootDirectorySectors(const FatGeometry& g, const FatTable& fat, std::vector<uint32_t>& sectors) {
    sectors.clear();
    if (g.type != FatType::Fat32) {
        for (uint32_t i = 0; i < g.RootDirSectors(); ++i) sectors.push_back(g.RootDirSector() + i);
        return true;
    }
    uint32_t cluster = g.rootCluster;
    for (uint32_t steps = 0; steps <= g.dataClusters; ++steps) {
        if (!g.IsDataCluster(cluster)) return false;
        for (uint32_t i = 0; i < g.sectorsPerCluster; ++i) sectors.push_back(g.ClusterToSector(cluster) + i);
        int64_t next;
        if (!fat.ReadFatEntry(cluster, next)) return false;
        if (next == FatTable::kEndOfChain) return true;
        if (next <= 0) return false;
        cluster = uint32_t(next);
    }
    return false;  // a loop
}
