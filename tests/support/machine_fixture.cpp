#include "tests/support/machine_fixture.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

namespace {
constexpr char kScratch[] = "Software\\MerovantSuiteTests\\Machine";
}

ScratchMachineKey::ScratchMachineKey() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, root_), ERROR_SUCCESS);
}

ScratchMachineKey::~ScratchMachineKey() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(root_);
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
}

void ScratchMachineKey::SetConfigurationValue(const char* name, const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root_, "SOFTWARE\\Merovant\\Configuration Utility", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    RegCloseKey(key);
}

void ScratchMachineKey::RemoveConfigurationValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, "SOFTWARE\\Merovant\\Configuration Utility", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

std::vector<SmiRequest> LoggedRequests(const MachineModel& model) {
    std::vector<SmiRequest> requests;
    for (std::uint32_t i = 0; i < model.LogCount(); ++i) {
        SmiLogEntry entry;
        if (model.GetLogEntry(i, entry)) requests.push_back(entry.request);
    }
    return requests;
}

int CountRequests(const MachineModel& model, std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx,
                  std::uint32_t edx) {
    int count = 0;
    for (const SmiRequest& r : LoggedRequests(model))
        count += r.Eax == eax && r.Ebx == ebx && r.Ecx == ecx && r.Edx == edx;
    return count;
}
