#include "common/win32/control_text.h"

#include "common/win32/load_string.h"

void SetControlTexts(HWND dialog, std::span<const ControlText> texts) {
    for (const ControlText& text : texts) SetDlgItemTextA(dialog, text.control, LoadStr(text.text).c_str());
}
