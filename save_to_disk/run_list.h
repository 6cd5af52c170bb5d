// Runs of consecutive clusters: the file's runs in file order, and the free
// runs longest first (a new run goes before the first run that is not longer,
// so among equal lengths the one found later stands first).
#pragma once

#include <cstdint>
#include <vector>

struct ClusterRun {
    uint32_t start;
    uint32_t length;
};

class RunList {
public:
    void Clear() { runs_.clear(); }
    void Append(ClusterRun run) { runs_.push_back(run); }
    void InsertByLength(ClusterRun run) {
        auto it = runs_.begin();
        while (it != runs_.end() && it->length > run.length) ++it;
        runs_.insert(it, run);
    }
    size_t Count() const { return runs_.size(); }
    uint64_t TotalLength() const {
        uint64_t total = 0;
        for (const ClusterRun& r : runs_) total += r.length;
        return total;
    }
    ClusterRun& operator[](size_t i) { return runs_[i]; }
    const ClusterRun& operator[](size_t i) const { return runs_[i]; }
    auto begin() const { return runs_.begin(); }
    auto end() const { return runs_.end(); }

private:
    std::vector<ClusterRun> runs_;
};
