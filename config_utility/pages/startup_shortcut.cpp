#include "config_utility/pages/startup_shortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "common/win32/library_function.h"
#include "common/win32/registry_string.h"
#include "common/win32/unique_handle.h"

namespace {

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Releases a COM interface at the end of its scope.
template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// OLE for the life of one shortcut. ole32.dll is loaded for it, not when the
// program starts: only this action uses it.
class OleSession {
public:
    OleSession() : ole32_(LoadLibraryA("ole32.dll")) {
        using Initialize = HRESULT(WINAPI*)(LPVOID);
        const auto initialize = FindFunction<Initialize>(ole32_.get(), "CoInitialize");
        uninitialize_ = FindFunction<Uninitialize>(ole32_.get(), "CoUninitialize");
        createInstance_ = FindFunction<CreateInstanceFunction>(ole32_.get(), "CoCreateInstance");
        ok_ = initialize != nullptr && uninitialize_ != nullptr && createInstance_ != nullptr &&
              SUCCEEDED(initialize(nullptr));
    }
    ~OleSession() {
        if (ok_) uninitialize_();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool ok() const { return ok_; }
    HRESULT CreateInstance(REFCLSID object, REFIID face, void** out) const {
        return createInstance_(object, nullptr, CLSCTX_INPROC_SERVER, face, out);
    }

private:
    using Uninitialize = void(WINAPI*)();
    using CreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    UniqueLibrary ole32_;  // freed after CoUninitialize
    Uninitialize uninitialize_ = nullptr;
    CreateInstanceFunction createInstance_ = nullptr;
    bool ok_ = false;
};

}  // namespace

bool ReadCommonStartupFolder(char (&folder)[kConfigurationValueSize]) {
    folder[0] = 0;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    UniqueRegistryKey key(opened);
    return ReadRegistryString(key.get(), "Common Startup", folder) && folder[0] != 0;
}

bool CreateShortcut(const char* linkPath, const char* target, const char* description) {
    OleSession ole;
    if (!ole.ok()) return false;
    ComPointer<IShellLinkA> link;
    if (FAILED(ole.CreateInstance(CLSID_ShellLink, IID_IShellLinkA, link.out())))
        return false;
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return false;
    if (FAILED(link->SetPath(target)) || FAILED(link->SetDescription(description))) return false;
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) return false;
    return SUCCEEDED(file->Save(widePath, TRUE));
}
