// startup-probe PAIRS "PROGRAM" "YARDSTICK"
//
// Starts the command lines PROGRAM and YARDSTICK in turn, PAIRS times each,
// and times each from CreateProcess to its first paint (first_paint.h); each
// is closed with WM_CLOSE, and has ended, before the next one starts. Prints a
// line a pair, "PROGRAM_MS YARDSTICK_MS RATIO", and last
//   median PROGRAM_MS YARDSTICK_MS RATIO
// where RATIO is the median of the pairs' ratios, so that a pair measured
// while the machine was busy weighs no more than any other. Status 1 when a
// program did not paint or did not end within ten seconds, 2 on bad arguments.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "startup_bench/first_paint.h"

namespace {

constexpr DWORD kPatience = 10000;
constexpr int kMostPairs = 1000;

// Milliseconds from CreateProcess to the first paint of commandLine, or a
// negative number when it did not paint or did not end when closed.
double TimeToFirstPaint(const std::string& commandLine) {
    LARGE_INTEGER frequency, start, painted;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    StartedProgram program = StartProgram(commandLine);
    if (!program) {
        std::fprintf(stderr, "startup-probe: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return -1;
    }
    HWND window = WaitForFirstPaint(program, kPatience);
    QueryPerformanceCounter(&painted);
    if (window == nullptr) {
        std::fprintf(stderr, "startup-probe: %s showed no painted window\n", commandLine.c_str());
        EndWithin(program, 0);
        return -1;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!Ended(program, kPatience)) {
        std::fprintf(stderr, "startup-probe: %s did not end when closed\n", commandLine.c_str());
        EndWithin(program, 0);
        return -1;
    }
    return 1000.0 * static_cast<double>(painted.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int pairs = argc == 4 ? std::atoi(argv[1]) : 0;
    if (pairs < 1 || pairs > kMostPairs) {
        std::fprintf(stderr, "usage: startup-probe PAIRS(1-%d) \"PROGRAM\" \"YARDSTICK\"\n", kMostPairs);
        return 2;
    }
    std::vector<double> programTimes, yardstickTimes, ratios;
    for (int pair = 0; pair < pairs; ++pair) {
        const double program = TimeToFirstPaint(argv[2]);
        const double yardstick = TimeToFirstPaint(argv[3]);
        if (program < 0 || yardstick < 0) return 1;
        programTimes.push_back(program);
        yardstickTimes.push_back(yardstick);
        ratios.push_back(program / yardstick);
        std::printf("%.1f %.1f %.3f\n", program, yardstick, program / yardstick);
        std::fflush(stdout);
    }
    std::printf("median %.1f %.1f %.3f\n", Median(programTimes), Median(yardstickTimes), Median(ratios));
    return 0;
}
