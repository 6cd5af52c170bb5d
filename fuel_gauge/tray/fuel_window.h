// The gauge window "Fuel": battery picture, percentage, the Suspend and
// Hibernate buttons and the power-mode icon, with the tray icon it owns.
// Its two timers poll the machine (fuel_polling.h); double-clicking the
// power-mode icon switches the power mode; the tray icon's double-click shows
// the window and its right button the tray menu.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/dialog.h"
#include "common/win32/tray_icon.h"
#include "fuel_gauge/core/fuel_status.h"
#include "fuel_gauge/shell/fuel_shell.h"
#include "fuel_gauge/tray/fuel_art.h"

// The tray icon's id and the message its mouse actions arrive with.
inline constexpr UINT kFuelTrayIconId = 128;
inline constexpr UINT kFuelTrayMessage = WM_USER + 100;
// Posted to the window by itself from WM_INITDIALOG: the tray icon is added
// once the window has painted.
inline constexpr UINT kFuelAddTrayIcon = WM_USER + 101;
// The pixels between the Suspend and the Hibernate button.
inline constexpr int kFuelButtonGap = 4;

class CFuelWindow final : public CDialog {
public:
    // Loads the pictures the window shows at once (fuel_art.h).
    CFuelWindow(HINSTANCE instance, FuelShell& shell);

protected:
    BOOL OnInitDialog() override;
    // Enter: the focused owner-drawn button is no default button, so the
    // dialog manager sends IDOK, which must not end the gauge. Close, the
    // close box, Escape and WM_CLOSE end it.
    void OnOK() override {}
    bool OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

    void ExtendSystemMenu();
    void PlaceButtons();
    void DrawButton(const DRAWITEMSTRUCT& item);
    void ConfirmPowerState(UINT textId, std::uint8_t state);
    void SwitchPowerMode(POINT client);
    void ShowTrayMenu();
    void ShowAbout();
    void OpenHelp();
    bool OnSystemCommand(WPARAM command);
    void OnTrayMessage(LPARAM mouse);
    void ShowModeIcon(int icon);
    void UpdateTray(int icon, const std::string& tip);
    std::string ChargeSuffix(bool unknown, unsigned percent) const;

    HINSTANCE instance_;
    FuelShell& shell_;
    FuelArt art_;
    CTrayIcon tray_{kFuelTrayIconId, kFuelTrayMessage};
    FuelStatus status_;
    char helpPath_[256] = {};
    bool helpOpened_ = false;
    int shownModeIcon_ = 0;  // the power-mode icon shown, which a double-click switches from
};
