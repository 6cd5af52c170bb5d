#include "common/win32/help_request.h"

#include "common/win32/help_context.h"
#include "common/win32/load_string.h"

namespace {

// The help reader's window class, the one WinHelpA looks for.
constexpr char kHelpReaderClass[] = "MS_WINHELP";
constexpr DWORD kReaderStartMs = 5000;
constexpr DWORD kReaderPollMs = 100;

std::string WithName(std::string text, const char* name) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

// Whether file names a file that is there (not a folder).
bool HelpFileExists(const char* file) {
    const DWORD attributes = GetFileAttributesA(file);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string RequestHelp(const char* file, const HelpMessages& messages, const std::function<bool()>& ask) {
    if (file == nullptr || file[0] == '\0') return LoadStr(messages.notSetUp);
    if (!HelpFileExists(file)) return WithName(LoadStr(messages.notFound), file);
    return ask() ? std::string() : LoadStr(messages.notOpened);
}

std::string RequestProgramHelp(const HelpMessages& messages, const std::function<bool(const char* file)>& ask) {
    char file[MAX_PATH] = "";
    if (!ProgramHelpFile(file)) file[0] = '\0';
    return RequestHelp(file, messages, [&] { return ask(file); });
}

bool AskHelpReader(HWND owner, const char* file, UINT command, ULONG_PTR data) {
    if (WinHelpA(owner, file, command, data)) return true;
    for (DWORD waited = 0; waited < kReaderStartMs && FindWindowA(kHelpReaderClass, nullptr) == nullptr;
         waited += kReaderPollMs)
        Sleep(kReaderPollMs);
    return WinHelpA(owner, file, command, data) != FALSE;
}
