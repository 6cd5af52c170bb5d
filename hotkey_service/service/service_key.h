// The service's own configuration key under HKEY_LOCAL_MACHINE.
#pragma once

inline constexpr char HotkeyServiceKey[] = "System\\CurrentControlSet\\Services\\Hotkey";
