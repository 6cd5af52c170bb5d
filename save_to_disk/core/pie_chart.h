// The pie chart of the save-to-disk dialogs: a flat ellipse with a shadow,
// cut into slices for the save file (or partition), the free space (or the
// rest of the disk) and the used space, each a fraction of the capacity.
#pragma once

#include <cstdint>
#include <vector>

enum class SliceKind { SaveFile, Free, Used };

struct ChartSlice {
    SliceKind kind;
    double fraction;
};

// Slices of the file dialog, in drawing order. A save file smaller than 1.6 %
// is shown as 1.6 %, taken from the larger of the free and used slices.
std::vector<ChartSlice> FileChartSlices(uint64_t fileKB, uint64_t freeKB, uint64_t usedKB, uint64_t capacityKB);
// Slices of the partition dialog: the partition (at least 1.8 % when there is
// one, at most 98.2 %) and the rest of the disk.
std::vector<ChartSlice> PartitionChartSlices(uint64_t partitionKB, uint64_t capacityKB);

// A slice smaller than this is not drawn.
constexpr double kSmallestSlice = 0.00001;

struct ChartRect {
    int left, top, right, bottom;
};
// The ellipse for a client area of width w and height h: 0.3 w wide, 0.1875 h
// high, its top at half the height, to the right of the value fields.
ChartRect ChartEllipse(int w, int h);
// The shadow: the same ellipse 10 pixels lower.
constexpr int kShadowDrop = 10;

struct ChartPoint {
    int x, y;
};
// The radial end points of one slice that starts after `before` of the
// ellipse and covers `fraction` of it, counter-clockwise from the top right
// corner of the ellipse's box. Angles are taken on the ellipse's own
// parameter, so a slice's area is its fraction of the ellipse.
void SliceEndPoints(const ChartRect& ellipse, double before, double fraction, ChartPoint& start, ChartPoint& end);

// How a slice is drawn. Pie draws the whole ellipse when the two end points
// fall on one pixel, so a slice whose arc on the ellipse is shorter than a
// pixel (or below kSmallestSlice) is not drawn at all, and one that leaves
// less than a pixel of the arc to the others is drawn as the whole ellipse.
enum class SliceShape { None, Pie, Whole };
SliceShape ShapeOfSlice(const ChartRect& ellipse, double before, double fraction);
