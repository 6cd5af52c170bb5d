// The arithmetic of the file-system-control engine: MFT-zone clipping, the
// NTFS lengths, the split of a move, free runs over several bitmap answers,
// and the virtual/on-disk conversions.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "save_to_disk/engine/fsctl/fsctl_rules.h"

namespace {

struct ClipCase {
    LcnRun run;
    bool kept;
    LcnRun clipped;
};

TEST(FsctlRules, FreeRunsAreClippedAgainstTheMftZone) {
    const MftZone zone{1000, 2015};
    const ClipCase cases[] = {
        {{1990, 111}, true, {2016, 85}},  // starts inside, ends after: the part after the zone
        {{1200, 100}, false, {}},         // inside: dropped
        {{1000, 1016}, false, {}},        // the whole zone exactly
        {{900, 200}, true, {900, 100}},   // reaches the zone: cut before it
        {{900, 2000}, true, {900, 100}},  // spans it: the part before
        {{900, 100}, true, {900, 100}},   // ends just before
        {{2016, 10}, true, {2016, 10}},   // starts just after
    };
    for (const ClipCase& c : cases) {
        LcnRun run = c.run;
        EXPECT_EQ(ClipToMftZone(run, zone), c.kept) << c.run.start << "+" << c.run.length;
        if (c.kept) {
            EXPECT_EQ(run.start, c.clipped.start) << c.run.start;
            EXPECT_EQ(run.length, c.clipped.length) << c.run.start;
        }
    }
}

TEST(FsctlRules, ZoneAndLengthsRoundToRunsOfSixteen) {
    const MftZone zone = RoundMftZone(1007, 1999);
    EXPECT_EQ(zone.first, 992);
    EXPECT_EQ(zone.last, 2000);
    EXPECT_EQ(NeededLength(32, true), 48u);
    EXPECT_EQ(NeededLength(31, true), 32u);
    EXPECT_EQ(NeededLength(32, false), 32u);
    EXPECT_EQ(CutToNtfsRuns(40, true), 32u);
    EXPECT_EQ(CutToNtfsRuns(12, true), 12u);
    EXPECT_EQ(CutToNtfsRuns(40, false), 40u);
}

TEST(FsctlRules, NtfsMovesEndAt256KiBBoundaries) {
    EXPECT_EQ(MoveSteps(10, 100, 4096, true), (std::vector<uint64_t>{54, 46}));
    EXPECT_EQ(MoveSteps(0, 200, 4096, true), (std::vector<uint64_t>{64, 64, 64, 8}));
    EXPECT_EQ(MoveSteps(10, 50, 4096, true), (std::vector<uint64_t>{50}));  // inside one block
    EXPECT_EQ(MoveSteps(10, 100, 4096, false), (std::vector<uint64_t>{100}));
    EXPECT_EQ(MoveSteps(0, 3, 0x80000, true), (std::vector<uint64_t>{1, 1, 1}));  // clusters above 256 KiB
}

TEST(FsctlRules, FreeRunCrossingTwoBitmapAnswersIsOneRun) {
    // Answer 1: clusters 0-15, 12-15 free; answer 2: clusters 16-31, 16-21 free, 22 used, 23-31 free.
    const uint8_t first[] = {0xFF, 0x0F};
    const uint8_t second[] = {0x40, 0x00};
    RunListOf<LcnRun> runs;
    FreeRunCollector collector(runs, nullptr);
    collector.AddAnswer(0, first, 16);
    collector.AddAnswer(16, second, 16);
    collector.Finish();
    ASSERT_EQ(runs.Count(), 2u);
    EXPECT_EQ(runs[0].start, 12);
    EXPECT_EQ(runs[0].length, 10u);
    EXPECT_EQ(runs[1].start, 23);
    EXPECT_EQ(runs[1].length, 9u);
    EXPECT_EQ(collector.Total(), 19u);
}

TEST(FsctlRules, RunEndingAtAnAnswerIsRecordedWhenTheNextBeginsUsed) {
    const uint8_t first[] = {0x0F};
    const uint8_t second[] = {0x01};
    RunListOf<LcnRun> runs;
    const MftZone zone{6, 7};
    FreeRunCollector collector(runs, &zone);
    collector.AddAnswer(0, first, 8);
    collector.AddAnswer(8, second, 8);
    collector.Finish();
    ASSERT_EQ(runs.Count(), 2u);
    EXPECT_EQ(runs[0].start, 9);  // 9-15, longest first
    EXPECT_EQ(runs[1].start, 4);  // 4-7 cut before the zone
    EXPECT_EQ(runs[1].length, 2u);
    EXPECT_EQ(collector.Total(), 11u);  // counted before clipping
}

TEST(FsctlRules, VirtualExtentsArePassedInFullAndHoldNoClusters) {
    FileExtents extents;
    extents.Append({0, 10, false});
    extents.Append({10, 5, true});
    extents.Append({15, 20, false});
    EXPECT_EQ(extents.VirtualSpan(0, 10), 10u);
    EXPECT_EQ(extents.VirtualSpan(0, 12), 17u);
    EXPECT_EQ(extents.VirtualSpan(4, 8), 13u);
    EXPECT_EQ(extents.DiskCount(0, 17), 12u);
    EXPECT_EQ(extents.DiskCount(12, 10), 7u);

    FileExtents plain;
    plain.Append({0, 10, false});
    EXPECT_EQ(plain.VirtualSpan(3, 99), 99u);
    EXPECT_EQ(plain.DiskCount(3, 99), 99u);
}

// Each run before the first shorter one: the order the sort must give.
void InsertByLength(std::vector<ClusterRun>& runs, ClusterRun run) {
    auto it = runs.begin();
    while (it != runs.end() && it->length > run.length) ++it;
    runs.insert(it, run);
}

}  // namespace

// The sort after the walk gives the order that insertion by length built:
// longest first, the later run first among equals (lengths drawn from a few
// values so that ties are common).
TEST(RunOrder, SortMatchesInsertionByLength) {
    std::mt19937 random(7);
    std::vector<ClusterRun> inserted;
    RunList sorted;
    uint32_t start = 2;
    for (int i = 0; i < 2000; ++i) {
        const ClusterRun run{start, 1 + uint32_t(random() % 6)};
        start += run.length + 1;
        InsertByLength(inserted, run);
        sorted.Append(run);
    }
    sorted.SortLongestFirst();
    ASSERT_EQ(sorted.Count(), inserted.size());
    for (size_t i = 0; i < sorted.Count(); ++i) {
        EXPECT_EQ(sorted[i].start, inserted[i].start) << i;
        EXPECT_EQ(sorted[i].length, inserted[i].length) << i;
    }
}
