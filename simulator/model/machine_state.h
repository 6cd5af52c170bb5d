// The virtual notebook's BIOS-side state: every setting the request driver
// keeps, the battery, and what the machine was last asked to do.
//
// A plain block of bytes so that the control device can carry it whole; the
// names of the fields are what `machinesim show` and `set` print and take.
#pragma once

#include <cstdint>

#include "machine_control/core/machine_values.h"
#include "machine_control/protocols/machine_memory_protocol.h"

// Selectors 0 (the customized set), 1 (AC) and 2 (battery) each keep their own
// power mode, timers and processor speed.
inline constexpr unsigned kPowerSelectors = kSelectorBattery + 1;
inline constexpr unsigned kPciPins = 4;
inline constexpr std::uint16_t kPowerSourceFollows = 0xFFFF;

struct MachineState {
    // Display, pointing stick, lid (0x9612).
    std::uint8_t glidenub = 1;
    std::uint8_t curDisplay = kDisplayLcd;
    std::uint8_t monitorConnected = 0;
    std::uint8_t screenExpansion = 1;
    std::uint8_t notSuspendForLcdClose = 0;

    // Power management (0x9611).
    std::uint8_t systemMode = 0;
    std::uint8_t screenBlank = 0;           // 0 blanking on
    std::uint8_t brightMode = 0;
    std::uint8_t sleepWhileDocked = 0;
    std::uint8_t resumeEnabled = 0;
    std::uint8_t resumeHours = 0x07;        // BCD, kept as set
    std::uint8_t resumeMinutes = 0x30;
    std::uint8_t resumeSeconds = 0x00;
    std::uint8_t hibernateFlags = 0x02;
    std::uint8_t hibernateTimer = 0;
    std::uint8_t pwrMgrSupport = 0;
    std::uint8_t sysPowerState = 0;         // last request: 1 suspend, 2 hibernation
    std::uint8_t cdromSpeed = 0;
    std::uint8_t powerMode[kPowerSelectors] = {kModeCustomized, kModeMaximumPerformance, kModeMaximumBatteryLife};
    std::uint8_t cpuSpeed[kPowerSelectors] = {2, 0, 2};
    std::uint8_t lcdOffTimer[kPowerSelectors] = {4, 6, 3};
    std::uint8_t hddOffTimer[kPowerSelectors] = {2, 3, 1};
    std::uint8_t suspendTimer[kPowerSelectors] = {5, 0, 5};
    std::uint8_t externalPower = kExternalPower;
    std::uint8_t batteryPercent = 100;
    std::uint8_t batteryFlags = 0;          // answered as set; charging is added while the power charges
    std::uint16_t resumeDate = 0;           // BCD month and day; 0 every day
    std::uint16_t resumeYear = 0;           // BCD year; 0 every day

    // Ports, interrupt steering, infrared, Fn lock (0x9610).
    std::uint8_t serialPortStatus = 0;
    std::uint8_t parallelPortStatus = 0;
    std::uint16_t parallelPortWord = 0x0378;  // passed back unchanged by the callers
    std::uint8_t parallelPortByte = 7;
    std::uint8_t parallelPortMode = kParallelModeBidirectional;
    std::uint8_t parallelPortDma = 3;       // two bits
    std::uint8_t pciPinCount = kPciPins;
    std::uint16_t pciIrqMask[kPciPins] = {0x8EB8, 0x8EB8, 0x0E00, 0x0E00};
    std::uint8_t pciIrqAssigned[kPciPins] = {1, 1, 1, 0};
    std::uint8_t pciIrq[kPciPins] = {11, 10, 9, kPciNoIrq};
    std::uint8_t infrared = 1;
    std::uint8_t fnKeyLock = 0;

    // The notebook's memory in MiB, from which the save-to-disk utility sizes
    // its file (machine_memory_protocol.h).
    std::uint16_t memoryMegabytes = kDefaultMemoryMegabytes;

    // What GetPowerSource and the BH of wsbi_GetPowerSourceStatus answer:
    // kPowerSourceFollows (the factory value) answers externalPower, any
    // byte value is answered as it is.
    std::uint16_t powerSourceAnswer = kPowerSourceFollows;
    std::uint8_t batteryHeld = 0;           // nonzero: the battery neither drains nor charges
    std::uint8_t reserved2 = 0;

    // Requests counted for tests and people.
    std::uint32_t sysPowerRequests = 0;
    // Milliseconds of battery time not yet worth a whole percent.
    std::uint32_t batteryMilliseconds = 0;
};
static_assert(sizeof(MachineState) == 80, "MachineState travels whole over the control device");
