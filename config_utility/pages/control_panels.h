// The control panels that merovant's pages start, as rundll32 command lines.
#pragma once

inline constexpr char kMouseControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL main.cpl @0";
inline constexpr char kSoundControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl @1";
inline constexpr char kMultimediaControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl";
inline constexpr char kModemControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL modem.cpl";
inline constexpr char kPcCardControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL devapps.cpl @0";
inline constexpr char kDisplayControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3";
inline constexpr char kAccessibilityControlPanel[] = "rundll32.exe shell32.dll,Control_RunDLL access.cpl";
