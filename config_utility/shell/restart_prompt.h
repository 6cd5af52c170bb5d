// The prompt after a setting that takes effect at the next start: restart now
// (OK) or later (Cancel).
#pragma once

#include "common/win32/dialog.h"

class CRestartPrompt final : public CDialog {
public:
    CRestartPrompt();

private:
    BOOL OnInitDialog() override;
};
