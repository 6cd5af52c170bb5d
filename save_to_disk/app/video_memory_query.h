// The video memory of the running machine, in bytes, as the save file's
// sizing takes it (before the 16 MiB floor): on Windows NT from the video
// device's registry key or else from the largest display mode, on Windows
// 95/98 from the display library SVLT32; 0 when nothing answers.
#pragma once

#include <cstdint>

uint64_t QueryVideoMemory();
