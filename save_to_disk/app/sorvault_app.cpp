#include "save_to_disk/app/sorvault_app.h"

#include <commctrl.h>

#include "common/win32/load_string.h"
#include "common/win32/unique_handle.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/app/hibernation_file_dlg.h"
#include "save_to_disk/app/hibernation_partition_dlg.h"
#include "save_to_disk/app/pie_chart_control.h"

void ActivateRunningInstance() {
    HWND running = FindWindowA(nullptr, LoadStr(IDS_FILE_TITLE).c_str());
    if (running == nullptr) running = FindWindowA(nullptr, LoadStr(IDS_PARTITION_TITLE).c_str());
    if (running == nullptr) return;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

int RunSorvault(HINSTANCE instance, SorvaultShell& shell) {
    UniqueKernelHandle marker(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kSorvaultMutex));
    if (marker) {
        ActivateRunningInstance();
        return 0;
    }
    marker.reset(CreateMutexA(nullptr, FALSE, kSorvaultMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {  // another instance came first meanwhile
        ActivateRunningInstance();
        return 0;
    }

    InitCommonControls();
    if (!RegisterPieChartClass(instance)) return 1;

    const std::unique_ptr<SaveFileDisk> disk = OpenFirstDisk();
    SorvaultContext context{instance, shell, *disk};
    const PartitionProbeResult probe = disk->ProbeFirstDisk();
    if (probe.found) {
        CHibernationPartitionDlg dialog(context, probe);
        dialog.DoModal(instance, nullptr);
    } else {
        CHibernationFileDlg dialog(context);
        dialog.DoModal(instance, nullptr);
    }
    return 0;
}
