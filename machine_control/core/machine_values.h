// What the machine's answers mean: the values that the BIOS operations take
// and return and that every program and the virtual notebook read alike.
#pragma once

#include <cstdint>

// Power source, as GetPowerSource and the BH of wsbi_GetPowerSourceStatus
// report it.
inline constexpr std::uint8_t kBatteryPower = 0;
inline constexpr std::uint8_t kExternalPower = 1;

// Power-mode selectors of GetPowerMode/SetPowerMode and the timer operations:
// 0 the customized set, 1 AC, 2 battery.
inline constexpr std::uint8_t kSelectorCustomized = 0;
inline constexpr std::uint8_t kSelectorAc = 1;
inline constexpr std::uint8_t kSelectorBattery = 2;

// Power modes.
inline constexpr std::uint8_t kModeMaximumPerformance = 0;
inline constexpr std::uint8_t kModeMaximumBatteryLife = 1;
inline constexpr std::uint8_t kModeCustomized = 2;

// Display outputs of GetCurDisplay/SetCurDisplay.
inline constexpr std::uint8_t kDisplayExternal = 0;
inline constexpr std::uint8_t kDisplayLcd = 1;
inline constexpr std::uint8_t kDisplayBoth = 2;

// Port status bits of GetSerialPortStatus and GetParallPortOpMode.
inline constexpr std::uint8_t kPortLocked = 0x01;    // the settings cannot be changed here
inline constexpr std::uint8_t kPortDisabled = 0x02;

// Battery status flags, the CH of wsbi_GetPowerSourceStatus.
inline constexpr std::uint8_t kBatteryCharging = 0x08;
inline constexpr std::uint8_t kBatteryChargeUnknown = 0x10;
inline constexpr std::uint8_t kBatteryNotPresent = 0x80;  // also read as charge unknown

// SetParallelPort's values, and the operating modes of GetParallPortOpMode
// and SetParallPortOpMode.
inline constexpr std::uint8_t kParallelPortEnable = 17;
inline constexpr std::uint8_t kParallelPortDisable = 16;
inline constexpr std::uint8_t kParallelModeUnidirectional = 0;
inline constexpr std::uint8_t kParallelModeBidirectional = 1;
inline constexpr std::uint8_t kParallelModeEpp = 2;
inline constexpr std::uint8_t kParallelModeEcp = 3;

// PCI interrupt steering: the entry that leaves a pin without an interrupt,
// and the mask of interrupts offered before the first list is read.
inline constexpr std::uint8_t kPciNoIrq = 0x80;
inline constexpr std::uint16_t kPciDefaultIrqMask = 0x8EB8;

// SetSerialPortStatus's values.
inline constexpr std::uint8_t kSerialPortEnable = 17;
inline constexpr std::uint8_t kSerialPortDisable = 16;

// The selector of wsbi_GetPowerSourceStatus that names the (one) battery.
inline constexpr std::uint16_t kPowerStatusBattery = 1;

// The states SetSysPowerState asks for.
inline constexpr std::uint8_t kPowerStateSuspend = 1;
inline constexpr std::uint8_t kPowerStateHibernation = 2;

// The hibernation flags of GetHibernateStatus and SetHibernateStatus; the
// bits above them are sent as 0.
inline constexpr std::uint8_t kHibernateVestrune = 0x01;
inline constexpr std::uint8_t kHibernateBySwitch = 0x02;
inline constexpr std::uint8_t kHibernateByTimer = 0x04;
inline constexpr std::uint8_t kHibernateOnLowBattery = 0x08;
inline constexpr std::uint8_t kHibernateAfterSuspend = 0x10;
