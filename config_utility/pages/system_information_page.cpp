#include "config_utility/pages/system_information_page.h"

#include <cstring>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "config_utility/core/smbios_walk.h"
#include "resources/merovant/resource.h"

namespace {

constexpr ControlText kTexts[] = {
    {IDC_BIOS_VERSION, IDS_BIOS_VERSION},
    {IDC_SYSTEM_UNIT_SERIAL, IDS_SYSTEM_UNIT_SERIAL},
    {IDC_SYSTEM_BOARD_SERIAL, IDS_SYSTEM_BOARD_SERIAL},
    {IDC_MACHINE_MODEL, IDS_MACHINE_MODEL},
};

constexpr DevicePageLayout kLayout{IDD_SYSTEM_INFORMATION, IDS_SYSTEM_INFORMATION_CAPTION, kTexts, {}, {}, false};

// What a value shows until the table gives it.
constexpr char kNoValue[] = "*****";

}  // namespace

bool RequestDmiTable(std::uint8_t (&buffer)[kSmbiosTableMax], DWORD& returned) {
    std::memset(buffer, 0, sizeof buffer);
    UniqueFileHandle device(CreateFileA(kDmiDeviceName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr));
    if (!device) return false;
    DWORD count = 0;
    if (!DeviceIoControl(device.get(), kIoctlDmiGetTable, nullptr, 0, buffer, sizeof buffer, &count, nullptr))
        return false;
    returned = count < sizeof buffer ? count : static_cast<DWORD>(sizeof buffer);
    return true;
}

CSystemInformationPage::CSystemInformationPage(MerovantContext& context) : CDevicePage(context, kLayout) {}

void CSystemInformationPage::AfterRead() {
    for (int value : {IDC_BIOS_VERSION_VALUE, IDC_SYSTEM_UNIT_SERIAL_VALUE, IDC_SYSTEM_BOARD_SERIAL_VALUE,
                      IDC_MACHINE_MODEL_VALUE})
        SetItemText(hwnd(), value, kNoValue);
    std::uint8_t table[kSmbiosTableMax];
    DWORD returned = 0;
    if (!RequestDmiTable(table, returned)) {
        context().shell.ShowMessageBox(hwnd(), LoadStr(IDS_NO_DMI_TABLES), MB_OK);
        return;
    }
    SystemInformation info;
    if (!WalkSmbiosTable(table, returned, info)) return;
    SetItemText(hwnd(), IDC_BIOS_VERSION_VALUE, info.biosVersion);
    SetItemText(hwnd(), IDC_SYSTEM_UNIT_SERIAL_VALUE, info.systemUnitSerial);
    SetItemText(hwnd(), IDC_SYSTEM_BOARD_SERIAL_VALUE, info.systemBoardSerial);
    SetItemText(hwnd(), IDC_MACHINE_MODEL_VALUE, info.machineModel);
}
