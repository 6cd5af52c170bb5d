// What the dialogs and the create sequence need of the program: its instance,
// its shell and the first hard disk.
#pragma once

#include <windows.h>

#include "save_to_disk/platform/save_file_disk.h"
#include "save_to_disk/shell/sorvault_shell.h"

struct SorvaultContext {
    HINSTANCE instance;
    SorvaultShell& shell;
    SaveFileDisk& disk;
};
