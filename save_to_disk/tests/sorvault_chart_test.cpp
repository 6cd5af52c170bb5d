// The chart's fractions and clamps, and the drive space the value fields show.
#include <gtest/gtest.h>

#include "save_to_disk/core/drive_space.h"
#include "save_to_disk/core/pie_chart.h"

namespace {

double FractionOf(const std::vector<ChartSlice>& slices, SliceKind kind) {
    for (const ChartSlice& s : slices)
        if (s.kind == kind) return s.fraction;
    return -1;
}

TEST(PieChart, FileSlicesAreFractionsOfTheCapacityInOrder) {
    const auto slices = FileChartSlices(250, 500, 250, 1000);
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices[0].kind, SliceKind::SaveFile);
    EXPECT_EQ(slices[1].kind, SliceKind::Free);
    EXPECT_EQ(slices[2].kind, SliceKind::Used);
    EXPECT_DOUBLE_EQ(slices[0].fraction, 0.25);
    EXPECT_DOUBLE_EQ(slices[1].fraction, 0.5);
    EXPECT_DOUBLE_EQ(slices[2].fraction, 0.25);
}

TEST(PieChart, ASmallFileIsRaisedTakingFromTheLargerOfFreeAndUsed) {
    struct Case {
        uint64_t file, free, used;
        double expectFree, expectUsed;
    } const cases[] = {
        {10, 690, 300, 0.69 - 0.006, 0.30},  // free is larger
        {10, 300, 690, 0.30, 0.69 - 0.006},  // used is larger
    };
    for (const Case& c : cases) {
        const auto s = FileChartSlices(c.file, c.free, c.used, 1000);
        EXPECT_DOUBLE_EQ(FractionOf(s, SliceKind::SaveFile), 0.016);
        EXPECT_NEAR(FractionOf(s, SliceKind::Free), c.expectFree, 1e-12);
        EXPECT_NEAR(FractionOf(s, SliceKind::Used), c.expectUsed, 1e-12);
    }
    // No file: nothing is raised.
    EXPECT_DOUBLE_EQ(FractionOf(FileChartSlices(0, 700, 300, 1000), SliceKind::SaveFile), 0.0);
    EXPECT_DOUBLE_EQ(FractionOf(FileChartSlices(0, 700, 300, 1000), SliceKind::Free), 0.7);
    EXPECT_TRUE(FileChartSlices(1, 1, 1, 0).empty()) << "no capacity, no chart";
}

TEST(PieChart, PartitionFractionIsClampedBothWays) {
    EXPECT_DOUBLE_EQ(FractionOf(PartitionChartSlices(1, 1000), SliceKind::SaveFile), 0.018);
    EXPECT_DOUBLE_EQ(FractionOf(PartitionChartSlices(999, 1000), SliceKind::SaveFile), 0.982);
    EXPECT_NEAR(FractionOf(PartitionChartSlices(999, 1000), SliceKind::Free), 0.018, 1e-12);
    EXPECT_DOUBLE_EQ(FractionOf(PartitionChartSlices(0, 1000), SliceKind::SaveFile), 0.0);
    EXPECT_DOUBLE_EQ(FractionOf(PartitionChartSlices(500, 1000), SliceKind::SaveFile), 0.5);
}

TEST(PieChart, EllipseSizeAndSliceEndPoints) {
    const ChartRect e = ChartEllipse(400, 320);
    EXPECT_EQ(e.right - e.left, 120);
    EXPECT_EQ(e.bottom - e.top, 60);
    EXPECT_EQ(e.top, 160);
    // The first slice starts towards the top right corner of the ellipse's box
    // and a quarter turn later points up and to the left.
    const ChartRect box{0, 0, 200, 100};
    ChartPoint start, end;
    SliceEndPoints(box, 0, 0.25, start, end);
    EXPECT_GT(start.x, 100);
    EXPECT_LT(start.y, 50);
    EXPECT_NEAR((start.x - 100) / 100.0, (50 - start.y) / 50.0, 0.02) << "along the diagonal of the box";
    EXPECT_LT(end.x, 100);
    EXPECT_LT(end.y, 50);
}

// A slice is drawn only where it shows: under one pixel of arc it is left out
// (Pie draws the whole ellipse for two end points on one pixel), and one that
// leaves the others less than a pixel is the whole ellipse. The same fraction
// is a pixel and more along the long side and less at the narrow end.
TEST(PieChart, SliceUnderOnePixelOfArcIsNotDrawn) {
    const ChartRect e{0, 0, 126, 56};  // the file dialog's ellipse
    const double used = 150.0 / (1024 * 1024);  // 150 KB of a 1 GiB volume
    struct Case {
        const char* what;
        double before, fraction;
        SliceShape shape;
    } const cases[] = {
        {"150 KB used of 1 GiB, after the free space", 1 - used, used, SliceShape::None},
        {"the free space beside it", 0, 1 - used, SliceShape::Whole},
        {"half of it", 0.25, 0.5, SliceShape::Pie},
        {"0.4 % along the long side", 0.25, 0.004, SliceShape::Pie},
        {"0.4 % at the narrow end", 0.875, 0.004, SliceShape::None},
        {"the rest beside the narrow 0.4 %", 0.875 + 0.004, 0.996, SliceShape::Whole},
    };
    for (const Case& c : cases) EXPECT_EQ(ShapeOfSlice(e, c.before, c.fraction), c.shape) << c.what;
    // Whatever the arc, the smallest slice is the fixed fraction.
    const ChartRect huge{0, 0, 2000000, 1000000};
    EXPECT_EQ(ShapeOfSlice(huge, 0.3, kSmallestSlice / 2), SliceShape::None);
    EXPECT_EQ(ShapeOfSlice(huge, 0.3, kSmallestSlice * 2), SliceShape::Pie);
    EXPECT_EQ(ShapeOfSlice(huge, 0, 1), SliceShape::Whole);
}

TEST(DriveSpace, FromByteCountsAndFromClusters) {
    DriveSpaceInfo info;
    ASSERT_TRUE(DriveSpaceFromBytes(100 * 1024 + 1, 40 * 1024 + 1, 10 * 1024 + 1023, info));
    EXPECT_EQ(info.capacityKB, 101u);
    EXPECT_EQ(info.freeKB, 41u);
    EXPECT_EQ(info.usedKB, 101u - 10 - 41);
    EXPECT_FALSE(DriveSpaceFromBytes(0, 0, 0, info));

    ASSERT_TRUE(DriveSpaceFromClusters(4, 512, 100, 1000, 2048 + 100, info));
    EXPECT_EQ(info.capacityKB, 2000u);
    EXPECT_EQ(info.freeKB, 200u);
    EXPECT_EQ(info.usedKB, (2048u * 900 - 2148) / 1024);
    EXPECT_FALSE(DriveSpaceFromClusters(0, 512, 1, 1, 0, info));
    EXPECT_FALSE(DriveSpaceFromClusters(1, 512, 1, 0, 0, info));

    // A save file larger than what the query counts as used shows no used space, not a wrapped number.
    ASSERT_TRUE(DriveSpaceFromBytes(1024 * 1024, 1000 * 1024, 100 * 1024, info));
    EXPECT_EQ(info.usedKB, 0u);
    EXPECT_EQ(FormatKB(0), "0");
    EXPECT_EQ(FormatKB(4294967296ull), "4294967296");
}

}  // namespace
