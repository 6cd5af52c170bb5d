// The fifty named BIOS operations. Each builds a fresh request, sends it, and
// writes its out-parameters only when the machine accepted the call.
#pragma once

#include <cstdint>

#include "machine_control/core/smi_request.h"

using std::uint16_t;
using std::uint32_t;
using std::uint8_t;

// Function code 0x9612: display, pointing stick, lid.
Bool32 GetGlidenubStatus(uint8_t& state);
Bool32 EnableGlidenub(uint8_t value);
Bool32 GetCurDisplay(uint8_t& display);
Bool32 SetCurDisplay(uint8_t display);
Bool32 CheckMonitorConnect();
Bool32 GetScreenExpansion(uint8_t& state);
Bool32 EnableScreenExpansion(uint32_t value);
Bool32 GetNotSuspendForLCDClose(uint8_t& state);
Bool32 SetNotSuspendForLCDClose(uint32_t value);

// Function code 0x9611: power management.
Bool32 GetCurSystemMode(uint8_t& mode);
Bool32 GetScreenBlank(uint8_t& state);
Bool32 SetScreenBlank(uint32_t value);
Bool32 GetBrightMode(uint8_t& mode);
Bool32 SetBrightMode(uint8_t value);
Bool32 GetSleepWhileDocked(uint8_t& state);
Bool32 SetSleepWhileDocked(uint32_t value);
Bool32 GetResumeOnTimer(uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e, uint16_t& f);
Bool32 SetResumeOnTimer(uint32_t enable, uint8_t b, uint8_t c, uint8_t d, uint16_t e, uint16_t f);
Bool32 GetHibernateStatus(uint8_t& flags, uint8_t& value);
Bool32 SetHibernateStatus(uint8_t flags, uint8_t value);
Bool32 SetBIOSforPwrMgrSupport(uint8_t value);
Bool32 SetSysPowerState(uint8_t value);
Bool32 GetCPUSpeedforCustomized(uint8_t selector, uint8_t& speed);
Bool32 SetCPUSpeedforCustomized(uint8_t selector, uint8_t speed);
Bool32 GetCDROMSpeed(uint8_t& speed);
Bool32 SetCDROMSpeed(uint8_t speed);
Bool32 GetPowerMode(uint8_t selector, uint8_t& mode);
Bool32 SetPowerMode(uint8_t selector, uint8_t mode);
Bool32 GetPowerModeDefaultInfo(uint8_t selector, uint8_t mode, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d);
Bool32 GetPowerSource(uint8_t& source);
Bool32 wsbi_GetPowerSourceStatus(uint16_t selector, uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, uint16_t& e);
Bool32 GetLCDOffTimer(uint8_t selector, uint8_t& value);
Bool32 SetLCDOffTimer(uint8_t selector, uint8_t value);
Bool32 GetHDDOffTimer(uint8_t selector, uint8_t& value);
Bool32 SetHDDOffTimer(uint8_t selector, uint8_t value);
Bool32 GetSysSuspendTimer(uint8_t selector, uint8_t& value);
Bool32 SetSysSuspendTimer(uint8_t selector, uint8_t value);

// Function code 0x9610: ports, PCI interrupt steering, infrared, Fn lock.
Bool32 GetSerialPortStatus(uint8_t action, uint8_t& state);
Bool32 SetSerialPortStatus(uint8_t value);
Bool32 GetParallPortOpMode(uint8_t& mode, uint16_t& x, uint8_t& y, uint8_t& z, uint8_t& w);
Bool32 SetParallPortOpMode(uint16_t x, uint8_t y, uint8_t z, uint8_t w);
Bool32 SetParallelPort(uint8_t value);
Bool32 GetPCISteeringNum(uint8_t& count);
Bool32 GetPCISteeringIRQList(uint8_t index, uint16_t& list);
Bool32 GetPCISteeringIRQ(uint8_t index, uint8_t& a, uint8_t& irq);
Bool32 SetPCISteeringIRQ(uint8_t index, uint32_t action, uint8_t irq);
Bool32 GetInfraredStatus(uint8_t& state);
Bool32 SetInfraredStatus(uint8_t value);
Bool32 GetFnKeyLockstatus(uint8_t& state);
Bool32 SetFnKeyLockStatus(uint32_t value);
