#include "installer/end_suite/process_images.h"

#include <tlhelp32.h>

#include "common/win32/library_function.h"
#include "common/win32/unique_handle.h"

namespace {

// Windows NT: every process id, then the file of each one's program.
bool ImagesFromPsapi(std::vector<ProcessImage>& images) {
    using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using ModuleFileNameFunction = DWORD(WINAPI*)(HANDLE, HMODULE, char*, DWORD);
    UniqueLibrary psapi(LoadLibraryA("psapi.dll"));
    if (!psapi) return false;
    const auto enumProcesses = FindFunction<EnumProcessesFunction>(psapi.get(), "EnumProcesses");
    const auto moduleFileName = FindFunction<ModuleFileNameFunction>(psapi.get(), "GetModuleFileNameExA");
    if (enumProcesses == nullptr || moduleFileName == nullptr) return false;
    std::vector<DWORD> ids(256);
    DWORD bytes = 0;
    for (;;) {
        const DWORD size = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        if (!enumProcesses(ids.data(), size, &bytes)) return false;
        if (bytes < size) break;
        ids.resize(ids.size() * 2);  // the list filled the buffer: it may go on
    }
    ids.resize(bytes / sizeof(DWORD));
    for (const DWORD id : ids) {
        UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
        if (!process) continue;
        char path[MAX_PATH];
        const DWORD length = moduleFileName(process.get(), nullptr, path, sizeof path);
        if (length > 0 && length < sizeof path) images.push_back({id, std::string(path, length)});
    }
    return true;
}

// Windows 95 and 98: the snapshot names each process's program by its path.
bool ImagesFromToolHelp(std::vector<ProcessImage>& images) {
    using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
    using ProcessFunction = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto snapshot = FindFunction<SnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
    const auto first = FindFunction<ProcessFunction>(kernel, "Process32First");
    const auto next = FindFunction<ProcessFunction>(kernel, "Process32Next");
    if (snapshot == nullptr || first == nullptr || next == nullptr) return false;
    UniqueFileHandle processes(snapshot(TH32CS_SNAPPROCESS, 0));
    if (!processes) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = first(processes.get(), &entry); more; more = next(processes.get(), &entry)) {
        entry.szExeFile[sizeof entry.szExeFile - 1] = 0;
        images.push_back({entry.th32ProcessID, entry.szExeFile});
        entry.dwSize = sizeof entry;
    }
    return true;
}

}  // namespace

std::vector<ProcessImage> RunningProcessImages() {
    std::vector<ProcessImage> images;
    if (!ImagesFromPsapi(images)) {
        images.clear();
        ImagesFromToolHelp(images);
    }
    return images;
}
