#include "save_to_disk/core/pie_chart.h"

#include <cmath>

namespace {

constexpr double kSmallestFile = 0.016;
constexpr double kSmallestPartition = 0.018;
constexpr double kLargestPartition = 0.982;
constexpr double kPi = 3.14159265358979323846;
// The top right corner of the box lies at 45 degrees of the ellipse's parameter.
constexpr double kStartAngle = kPi / 4;

ChartPoint PointAt(const ChartRect& e, double turn) {
    const double cx = (e.left + e.right) / 2.0;
    const double cy = (e.top + e.bottom) / 2.0;
    const double a = (e.right - e.left) / 2.0;
    const double b = (e.bottom - e.top) / 2.0;
    const double angle = kStartAngle + turn * 2 * kPi;
    // Points beyond the ellipse give the same radial line and round better.
    return {int(std::lround(cx + 2 * a * std::cos(angle))), int(std::lround(cy - 2 * b * std::sin(angle)))};
}

// The length in pixels of the ellipse's arc from `before` over `fraction` of
// its parameter (the midpoint rule; the speed along the arc varies slowly).
double ArcLength(const ChartRect& e, double before, double fraction) {
    constexpr int kSteps = 64;
    const double a = (e.right - e.left) / 2.0;
    const double b = (e.bottom - e.top) / 2.0;
    const double step = fraction * 2 * kPi / kSteps;
    double length = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double angle = kStartAngle + before * 2 * kPi + (i + 0.5) * step;
        const double dx = a * std::sin(angle), dy = b * std::cos(angle);
        length += std::sqrt(dx * dx + dy * dy) * step;
    }
    return length;
}

}  // namespace

std::vector<ChartSlice> FileChartSlices(uint64_t fileKB, uint64_t freeKB, uint64_t usedKB, uint64_t capacityKB) {
    if (capacityKB == 0) return {};
    const double capacity = double(capacityKB);
    double file = double(fileKB) / capacity;
    double free = double(freeKB) / capacity;
    double used = double(usedKB) / capacity;
    if (file > 0 && file < kSmallestFile) {
        const double lift = kSmallestFile - file;
        file = kSmallestFile;
        double& larger = free >= used ? free : used;
        larger = larger > lift ? larger - lift : 0;
    }
    return {{SliceKind::SaveFile, file}, {SliceKind::Free, free}, {SliceKind::Used, used}};
}

std::vector<ChartSlice> PartitionChartSlices(uint64_t partitionKB, uint64_t capacityKB) {
    if (capacityKB == 0) return {};
    double partition = double(partitionKB) / double(capacityKB);
    if (partition > 0 && partition < kSmallestPartition) partition = kSmallestPartition;
    if (partition > kLargestPartition) partition = kLargestPartition;
    return {{SliceKind::SaveFile, partition}, {SliceKind::Free, 1.0 - partition}};
}

ChartRect ChartEllipse(int w, int h) {
    const int width = int(w * 0.3);
    const int height = int(h * 0.1875);
    const int left = int(w * 0.62);
    const int top = int(h * 0.5);
    return {left, top, left + width, top + height};
}

void SliceEndPoints(const ChartRect& ellipse, double before, double fraction, ChartPoint& start, ChartPoint& end) {
    start = PointAt(ellipse, before);
    end = PointAt(ellipse, before + fraction);
}

SliceShape ShapeOfSlice(const ChartRect& ellipse, double before, double fraction) {
    if (fraction < kSmallestSlice) return SliceShape::None;
    if (fraction >= 1 - kSmallestSlice) return SliceShape::Whole;
    constexpr double kPixel = 1.0;
    if (ArcLength(ellipse, before, fraction) < kPixel) return SliceShape::None;
    if (ArcLength(ellipse, before + fraction, 1 - fraction) < kPixel) return SliceShape::Whole;
    return SliceShape::Pie;
}
