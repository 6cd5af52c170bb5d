#include "tests/support/test_log.h"

#include "common/win32/unique_handle.h"

std::string PathBesideProgram(const char* name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + name;
}

std::string FolderOfProgram() {
    std::string folder = PathBesideProgram("");
    folder.pop_back();
    return folder;
}

std::string WindowsPath(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void AppendLine(const std::string& path, const std::string& line) {
    UniqueFileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string ReadWholeFile(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text;
    if (!file) return text;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

CommandRecorder FreshCommandRecorder(const std::string& folder, const char* name) {
    CommandRecorder recorder{folder + "\\" + name, folder + "\\command-recorder.log"};
    const std::string beside = PathBesideProgram("command_recorder.exe");
    if (recorder.program != beside && !CopyFileA(beside.c_str(), recorder.program.c_str(), FALSE))
        recorder.program.clear();
    DeleteFileA(recorder.log.c_str());
    return recorder;
}
