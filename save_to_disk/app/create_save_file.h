// The Create Now sequence: size the save file, let the user choose its size,
// have the platform's engine create it contiguous, then stamp the header, the
// two signature sectors and the graphical image. Every outcome is shown to
// the user or left on disk.
#pragma once

#include <windows.h>

#include "save_to_disk/core/drive_space.h"
#include "save_to_disk/shell/sorvault_context.h"

// The space on drive `letter`, with the save file of `saveFileBytes` shown
// apart; on failure its message (25, or 40) has been shown.
bool QueryDriveSpace(HWND owner, SorvaultContext& context, char letter, uint64_t saveFileBytes,
                     DriveSpaceInfo& info);

void CreateSaveFile(HWND owner, SorvaultContext& context, char letter);
