#include "power_sheet/app/corvessa_app.h"

#include <commctrl.h>

#include "machine_control/core/smi_channel.h"
#include "power_sheet/sheet/power_prop.h"

int RunCorvessa(HINSTANCE instance, CorvessaShell& shell) {
    InitCommonControls();
    OpenMachineControl();
    {
        CPowerProp sheet({instance, shell});
        sheet.DoModal();
    }
    CloseMachineControl();
    return 0;
}
