// The About box: program icon, product, application name and version.
#pragma once

#include <windows.h>

#include "common/win32/dialog.h"

class CAboutBox final : public CDialog {
public:
    CAboutBox();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};
