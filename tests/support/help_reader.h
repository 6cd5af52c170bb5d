// Wine's own help reader, winhlp32, as a test sees it: its windows, the text
// a help window shows, and ending it. The reader draws each topic into a rich
// edit control (child 0x701 of its window); its text, asked for in Unicode,
// is what the user reads.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The help reader's window class, the one WinHelpA looks for.
inline constexpr char kHelpReaderClass[] = "MS_WINHELP";

// The top-level windows of a class, of one process (0: any), the visible
// ones or all.
std::vector<HWND> TopLevelWindows(const char* className, DWORD process = 0, bool visibleOnly = true);

// Whether a help reader runs: it keeps a hidden window while it waits.
bool HelpReaderRuns();

// Ends every running help reader: one left by an earlier test would answer
// the next test's WinHelpA, in the locale it was started in.
void EndHelpReaders();

// The reader's visible main window (popup false) or popup (true); nullptr
// when none is shown.
HWND HelpWindow(bool popup);

// The text a help window shows, one paragraph a line.
std::wstring TopicText(HWND window);

// Waits (20 seconds at most) for the main window or the popup to show text.
bool HelpShows(bool popup, const std::wstring& text);
