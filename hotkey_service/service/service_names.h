// The names under which Pressmon is known to the system.
#pragma once

inline constexpr char ServiceName[] = "HotkeyService";
inline constexpr char ServiceDisplayName[] = "Hotkey Panel Service";
inline constexpr char ProgramName[] = "Pressmon";
