// The side effects that a test must not really perform: message boxes and
// shutting the machine down. Pressmon links the Windows implementation; its
// test build links one that records the calls instead.
#pragma once

#include <windows.h>

int SeamMessageBox(HWND owner, const char* text, const char* caption, UINT style);
BOOL SeamExitWindows(UINT flags);
