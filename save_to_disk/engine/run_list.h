// Runs of consecutive clusters: the file's runs in file order, and the free
// runs longest first (among equal lengths the one found later stands first).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// A run of FAT clusters.
struct ClusterRun {
    uint32_t start;
    uint32_t length;
};

// A run of logical clusters of a volume, as the volume bitmap gives it.
struct LcnRun {
    int64_t start;
    uint64_t length;
};

// A file extent in virtual clusters; a virtual one has no clusters on disk.
struct Extent {
    int64_t vcn;
    uint64_t length;
    bool isVirtual;
};

template <typename Run>
class RunListOf {
public:
    void Clear() { runs_.clear(); }
    void Append(Run run) { runs_.push_back(run); }
    // Runs appended in the order the volume was walked (rising start) put
    // longest first, the later one first among equals: the order that
    // inserting each run before the first shorter one builds, in O(n log n)
    // instead of O(n^2).
    void SortLongestFirst() {
        std::sort(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) {
            return a.length != b.length ? a.length > b.length : a.start > b.start;
        });
    }
    size_t Count() const { return runs_.size(); }
    uint64_t TotalLength() const {
        uint64_t total = 0;
        for (const Run& r : runs_) total += r.length;
        return total;
    }
    Run& operator[](size_t i) { return runs_[i]; }
    const Run& operator[](size_t i) const { return runs_[i]; }
    auto begin() const { return runs_.begin(); }
    auto end() const { return runs_.end(); }

private:
    std::vector<Run> runs_;
};

using RunList = RunListOf<ClusterRun>;
