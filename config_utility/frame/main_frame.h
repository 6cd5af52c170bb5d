// merovant's main window: menu, toolbar, status bar, the two timers that
// keep the toolbar in step with the machine, and F1.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win32/window.h"
#include "config_utility/frame/main_toolbar.h"
#include "config_utility/shell/merovant_context.h"
#include "config_utility/view/merovant_view.h"

class CMainFrame final : public CWindow {
public:
    static constexpr UINT_PTR kPowerTimer = 2;  // power source and power mode
    static constexpr UINT_PTR kBlankTimer = 3;  // screen blanking
    static constexpr UINT kTimerPeriod = 1000;
    // Posted to the frame once it is shown and painted: the work that can
    // wait until then.
    static constexpr UINT kAfterFirstPaint = WM_APP + 2;

    explicit CMainFrame(MerovantContext& context) : context_(context), view_(context) {}

    // Creates the frame, sets its menu texts, shows it and checks Front View;
    // the view's tooltips follow in kAfterFirstPaint. False when the window
    // (or its status bar) could not be created.
    bool Create(int showCommand);
    // Makes the frame the program's main window: its end, however it comes
    // (WM_CLOSE sent or posted, the system menu, the end of the session),
    // ends the thread's message loop with WM_QUIT.
    void EndLoopWhenDestroyed() { endsLoop_ = true; }

    HWND toolbar() const { return toolbar_.hwnd(); }
    int toolbarResource() const { return toolbar_.resourceId(); }
    HWND statusBar() const { return statusBar_; }
    std::uint8_t curDisplay() const { return curDisplay_; }
    CMerovantView& view() { return view_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool OnCreate();
    void Close();
    void OnCommand(int command);
    void OnTimer(UINT_PTR id);
    bool OnNotify(NMHDR& header);
    void OnHelp(const HELPINFO& info);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void LayOut();
    RECT ViewRect() const;
    void SetMenuTexts();

    bool LoadToolbarFor(std::uint8_t powerSource);
    void CheckPowerMode(std::uint8_t powerSource);
    void CheckDisplay(std::uint8_t display);
    void CheckScreenBlank(std::uint8_t state);
    void RereadDisplay();
    void SelectDisplay(int command);
    void RestoreLcd();
    void ShowStatusText(int command);

    MerovantContext& context_;
    CMainToolbar toolbar_;
    HWND statusBar_ = nullptr;
    CMerovantView view_;
    std::uint8_t curDisplay_ = 1;
    std::uint8_t lastPowerSource_ = 1;  // the power source timer 2 last saw
    bool endsLoop_ = false;
    std::string tooltip_;               // text the tooltip asked for last
    std::wstring tooltipWide_;
};
