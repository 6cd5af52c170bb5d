// The pie chart as a child control of the dialogs: the dialog places it over
// the ellipse (and its shadow) that the chart rules give for the dialog's
// client area, and hands it the slices to draw.
#pragma once

#include <windows.h>

#include <vector>

#include "save_to_disk/core/pie_chart.h"

inline constexpr char kPieChartClass[] = "SorvaultPieChart";

bool RegisterPieChartClass(HINSTANCE instance);

// Moves the chart control `id` of `dialog` over the ellipse of the dialog's
// client area and its shadow.
void PlacePieChart(HWND dialog, int id);
// The slices the control draws from now on; `slices` must outlive the control
// or be replaced. Repaints the control.
void SetPieChartSlices(HWND chart, const std::vector<ChartSlice>* slices);
