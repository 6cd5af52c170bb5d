// The names under which Pressmon is known to the system, and the service's own
// configuration key under HKEY_LOCAL_MACHINE.
#pragma once

inline constexpr char kServiceName[] = "HotkeyService";
inline constexpr char kServiceDisplayName[] = "Hotkey Panel Service";
inline constexpr char kProgramName[] = "Pressmon";
inline constexpr char kHotkeyServiceKey[] = "System\\CurrentControlSet\\Services\\Hotkey";
