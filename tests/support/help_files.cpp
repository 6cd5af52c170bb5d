#include "tests/support/help_files.h"

#include <windows.h>

#include <utility>

#include "common/win32/help_context.h"
#include "common/win32/unique_handle.h"

HelpFileInPlace::HelpFileInPlace(std::string path, const std::string& source) : path_(std::move(path)) {
    if (!source.empty()) {
        placed_ = CopyFileA(source.c_str(), path_.c_str(), FALSE) != FALSE;
        return;
    }
    UniqueFileHandle file(
        CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    placed_ = file && WriteFile(file.get(), "?_\x03\x00", 4, &written, nullptr) && written == 4;
}

HelpFileInPlace::~HelpFileInPlace() { DeleteFileA(path_.c_str()); }

std::string OwnHelpFile() {
    char path[MAX_PATH] = "";
    return ProgramHelpFile(path) ? path : "";
}
