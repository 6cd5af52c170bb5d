// The About box: program icon, product, application name and version.
#pragma once

#include <windows.h>

#include "common/win32/dialog.h"
#include "fuel_gauge/tray/dialog_hook.h"

class CAboutBox final : public CDialog, private DialogMessageHook {
public:
    CAboutBox();

protected:
    BOOL OnInitDialog() override;

private:
    bool OnHookedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
