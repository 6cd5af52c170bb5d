// Every operation of the catalogue as a call with its out-parameters preset
// to a pattern, the words it sends and the fields it reads back from Reply():
// shared by the operations' tests and the fuzzer of the driver's replies.
#pragma once

#include <cstdint>
#include <vector>

#include "machine_control/core/machine_operations.h"

using Outs = std::vector<uint32_t>;

// Each call pre-sets its out-parameters to this pattern, so a failed call can be
// told from one that wrote.
inline constexpr uint8_t k8 = 0xA5;
inline constexpr uint16_t k16 = 0xA5A5;

// A reply with a different byte in every field, and garbage in the upper halves
// that no operation may read.
inline SmiRequest Reply(uint32_t status = 0) {
    SmiRequest r{};
    r.Status = status;
    r.Eax = 0x777766A1;
    r.Ebx = 0x8888B2B1;
    r.Ecx = 0x9999C2C1;
    r.Edx = 0xAAAAD2D1;
    r.Esi = 0xBBBBE2E1;
    r.Edi = 0xCCCCF2F1;
    return r;
}

struct Sent {
    uint32_t eax, ebx, ecx, edx, esi, edi;
};

struct Operation {
    const char* name;
    Outs (*call)(Bool32& result);
    Sent sent;
    Outs received;  // out-parameters after the reply above, in order
};

#define OUT8(n) uint8_t n = k8
#define OUT16(n) uint16_t n = k16

inline const Operation kCatalogue[] = {
    // 0x9612
    {"GetGlidenubStatus", [](Bool32& r) { OUT8(s); r = GetGlidenubStatus(s); return Outs{s}; },
     {0x9612, 0x0210, 0, 0, 0, 0}, {0xA1}},
    {"EnableGlidenub", [](Bool32& r) { r = EnableGlidenub(0x5A); return Outs{}; },
     {0x9612, 0x5A10, 0, 0, 0, 0}, {}},
    {"GetCurDisplay", [](Bool32& r) { OUT8(d); r = GetCurDisplay(d); return Outs{d}; },
     {0x9612, 0x000B, 0, 0, 0, 0}, {0xC1}},
    {"SetCurDisplay", [](Bool32& r) { r = SetCurDisplay(2); return Outs{}; },
     {0x9612, 0x010B, 2, 0, 0, 0}, {}},
    {"CheckMonitorConnect", [](Bool32& r) { r = CheckMonitorConnect(); return Outs{}; },
     {0x9612, 0x000C, 0, 0, 0, 0}, {}},
    {"GetScreenExpansion", [](Bool32& r) { OUT8(s); r = GetScreenExpansion(s); return Outs{s}; },
     {0x9612, 0x0212, 0, 0, 0, 0}, {0xA1}},
    {"EnableScreenExpansion", [](Bool32& r) { r = EnableScreenExpansion(0xAB123456); return Outs{}; },
     {0x9612, 0x12345612, 0, 0, 0, 0}, {}},
    {"GetNotSuspendForLCDClose", [](Bool32& r) { OUT8(s); r = GetNotSuspendForLCDClose(s); return Outs{s}; },
     {0x9612, 0x020E, 0, 0, 0, 0}, {0xA1}},
    {"SetNotSuspendForLCDClose", [](Bool32& r) { r = SetNotSuspendForLCDClose(0xAB123456); return Outs{}; },
     {0x9612, 0x1234560E, 0, 0, 0, 0}, {}},

    // 0x9611
    {"GetCurSystemMode", [](Bool32& r) { OUT8(m); r = GetCurSystemMode(m); return Outs{m}; },
     {0x9611, 0x0000, 0, 0, 0, 0}, {0xA1}},
    {"GetScreenBlank", [](Bool32& r) { OUT8(s); r = GetScreenBlank(s); return Outs{s}; },
     {0x9611, 0x020D, 0, 0, 0, 0}, {0xA1}},
    {"SetScreenBlank", [](Bool32& r) { r = SetScreenBlank(0xAB123456); return Outs{}; },
     {0x9611, 0x1234560D, 0, 0, 0, 0}, {}},
    {"GetBrightMode", [](Bool32& r) { OUT8(m); r = GetBrightMode(m); return Outs{m}; },
     {0x9611, 0x0210, 0, 0, 0, 0}, {0xA1}},
    {"SetBrightMode", [](Bool32& r) { r = SetBrightMode(0x5A); return Outs{}; },
     {0x9611, 0x5A10, 0, 0, 0, 0}, {}},
    {"GetSleepWhileDocked", [](Bool32& r) { OUT8(s); r = GetSleepWhileDocked(s); return Outs{s}; },
     {0x9611, 0x020E, 0, 0, 0, 0}, {0xA1}},
    {"SetSleepWhileDocked", [](Bool32& r) { r = SetSleepWhileDocked(0xAB123456); return Outs{}; },
     {0x9611, 0x1234560E, 0, 0, 0, 0}, {}},
    {"GetResumeOnTimer",
     [](Bool32& r) {
         OUT8(a); OUT8(b); OUT8(c); OUT8(d); OUT16(e); OUT16(f);
         r = GetResumeOnTimer(a, b, c, d, e, f);
         return Outs{a, b, c, d, e, f};
     },
     {0x9611, 0x0206, 0, 0, 0, 0}, {0xA1, 0xD2, 0xD1, 0xC2, 0xE2E1, 0xF2F1}},
    {"SetResumeOnTimer",
     [](Bool32& r) { r = SetResumeOnTimer(0xAB123456, 0x21, 0x22, 0x23, 0x1234, 0x5678); return Outs{}; },
     {0x9611, 0x12345606, 0x2300, 0x2122, 0x1234, 0x5678}, {}},
    {"GetHibernateStatus",
     [](Bool32& r) { OUT8(f); OUT8(v); r = GetHibernateStatus(f, v); return Outs{f, v}; },
     {0x9611, 0x000F, 0, 0, 0, 0}, {0xC1, 0xD2}},
    {"SetHibernateStatus", [](Bool32& r) { r = SetHibernateStatus(0x31, 0x32); return Outs{}; },
     {0x9611, 0x010F, 0x31, 0x3200, 0, 0}, {}},
    {"SetBIOSforPwrMgrSupport", [](Bool32& r) { r = SetBIOSforPwrMgrSupport(1); return Outs{}; },
     {0x9611, 0x0111, 0, 0, 0, 0}, {}},
    {"SetSysPowerState", [](Bool32& r) { r = SetSysPowerState(2); return Outs{}; },
     {0x9611, 0x0213, 0, 0, 0, 0}, {}},
    {"GetCPUSpeedforCustomized",
     [](Bool32& r) { OUT8(s); r = GetCPUSpeedforCustomized(2, s); return Outs{s}; },
     {0x9611, 0x0014, 0, 2, 0, 0}, {0xC1}},
    {"SetCPUSpeedforCustomized", [](Bool32& r) { r = SetCPUSpeedforCustomized(1, 3); return Outs{}; },
     {0x9611, 0x0114, 3, 1, 0, 0}, {}},
    {"GetCDROMSpeed", [](Bool32& r) { OUT8(s); r = GetCDROMSpeed(s); return Outs{s}; },
     {0x9611, 0x0015, 0, 0, 0, 0}, {0xC1}},
    {"SetCDROMSpeed", [](Bool32& r) { r = SetCDROMSpeed(4); return Outs{}; },
     {0x9611, 0x0115, 4, 0, 0, 0}, {}},
    {"GetPowerMode", [](Bool32& r) { OUT8(m); r = GetPowerMode(2, m); return Outs{m}; },
     {0x9611, 0x0016, 0, 2, 0, 0}, {0xC1}},
    {"SetPowerMode", [](Bool32& r) { r = SetPowerMode(1, 2); return Outs{}; },
     {0x9611, 0x0116, 2, 1, 0, 0}, {}},
    {"GetPowerModeDefaultInfo",
     [](Bool32& r) {
         OUT8(a); OUT8(b); OUT8(c); OUT8(d);
         r = GetPowerModeDefaultInfo(2, 1, a, b, c, d);
         return Outs{a, b, c, d};
     },
     {0x9611, 0x0216, 1, 2, 0, 0}, {0xB2, 0xB1, 0xC2, 0xD2}},
    {"GetPowerSource", [](Bool32& r) { OUT8(s); r = GetPowerSource(s); return Outs{s}; },
     {0x9611, 0x0020, 0, 0, 0, 0}, {0xA1}},
    {"wsbi_GetPowerSourceStatus",
     [](Bool32& r) {
         OUT8(a); OUT8(b); OUT8(c); OUT8(d); OUT16(e);
         r = wsbi_GetPowerSourceStatus(1, a, b, c, d, e);
         return Outs{a, b, c, d, e};
     },
     {0x9611, 0x0027, 1, 0, 0, 0}, {0xB2, 0xB1, 0xC2, 0xC1, 0xD2D1}},
    {"GetLCDOffTimer", [](Bool32& r) { OUT8(v); r = GetLCDOffTimer(1, v); return Outs{v}; },
     {0x9611, 0x0082, 0, 1, 0, 0}, {0xB2}},
    {"SetLCDOffTimer", [](Bool32& r) { r = SetLCDOffTimer(1, 0x5A); return Outs{}; },
     {0x9611, 0x5A02, 0, 1, 0, 0}, {}},
    {"GetHDDOffTimer", [](Bool32& r) { OUT8(v); r = GetHDDOffTimer(2, v); return Outs{v}; },
     {0x9611, 0x0083, 0, 2, 0, 0}, {0xB2}},
    {"SetHDDOffTimer", [](Bool32& r) { r = SetHDDOffTimer(2, 7); return Outs{}; },
     {0x9611, 0x0703, 0, 2, 0, 0}, {}},
    {"GetSysSuspendTimer", [](Bool32& r) { OUT8(v); r = GetSysSuspendTimer(1, v); return Outs{v}; },
     {0x9611, 0x008A, 0, 1, 0, 0}, {0xB2}},
    {"SetSysSuspendTimer", [](Bool32& r) { r = SetSysSuspendTimer(2, 9); return Outs{}; },
     {0x9611, 0x090A, 0, 2, 0, 0}, {}},

    // 0x9610
    {"GetSerialPortStatus", [](Bool32& r) { OUT8(s); r = GetSerialPortStatus(0x5A, s); return Outs{s}; },
     {0x9610, 0x5A02, 0, 0, 0, 0}, {0xA1}},
    {"SetSerialPortStatus", [](Bool32& r) { r = SetSerialPortStatus(1); return Outs{}; },
     {0x9610, 0x0102, 0, 0, 0, 0}, {}},
    {"GetParallPortOpMode",
     [](Bool32& r) {
         OUT8(m); OUT16(x); OUT8(y); OUT8(z); OUT8(w);
         r = GetParallPortOpMode(m, x, y, z, w);
         return Outs{m, x, y, z, w};
     },
     {0x9610, 0x0003, 0, 0, 0, 0}, {0xA1, 0xC2C1, 0xD1, 0xD2 & 0x3F, 0xD2 >> 6}},
    {"SetParallPortOpMode", [](Bool32& r) { r = SetParallPortOpMode(0x0378, 0x01, 0xC5, 0x06); return Outs{}; },
     {0x9610, 0x0103, 0x0378, 0x8501, 0, 0}, {}},
    {"SetParallelPort", [](Bool32& r) { r = SetParallelPort(1); return Outs{}; },
     {0x9610, 0x0103, 0, 0, 0, 0}, {}},
    {"GetPCISteeringNum", [](Bool32& r) { OUT8(n); r = GetPCISteeringNum(n); return Outs{n}; },
     {0x9610, 0x001D, 0, 0, 0, 0}, {0xC2}},
    {"GetPCISteeringIRQList", [](Bool32& r) { OUT16(l); r = GetPCISteeringIRQList(3, l); return Outs{l}; },
     {0x9610, 0x031E, 0, 0, 0, 0}, {0xC2C1}},
    {"GetPCISteeringIRQ",
     [](Bool32& r) { OUT8(a); OUT8(i); r = GetPCISteeringIRQ(2, a, i); return Outs{a, i}; },
     {0x9610, 0x021F, 2, 0, 0, 0}, {0xA1, 0xC2}},
    {"SetPCISteeringIRQ", [](Bool32& r) { r = SetPCISteeringIRQ(2, 1, 0x0B); return Outs{}; },
     {0x9610, 0x011F, 0x0B02, 0, 0, 0}, {}},
    {"GetInfraredStatus", [](Bool32& r) { OUT8(s); r = GetInfraredStatus(s); return Outs{s}; },
     {0x9610, 0x0029, 0, 0, 0, 0}, {0xA1}},
    {"SetInfraredStatus", [](Bool32& r) { r = SetInfraredStatus(1); return Outs{}; },
     {0x9610, 0x0129, 1, 0, 0, 0}, {}},
    {"GetFnKeyLockstatus", [](Bool32& r) { OUT8(s); r = GetFnKeyLockstatus(s); return Outs{s}; },
     {0x9610, 0x0220, 0, 0, 0, 0}, {0xA1}},
    {"SetFnKeyLockStatus", [](Bool32& r) { r = SetFnKeyLockStatus(0xAB123456); return Outs{}; },
     {0x9610, 0x12345620, 0, 0, 0, 0}, {}},
};

static_assert(sizeof kCatalogue / sizeof kCatalogue[0] == 50, "the catalogue has fifty operations");

inline Outs Untouched(const Operation& op) {
    Outs outs;
    for (uint32_t v : op.received) outs.push_back(v > 0xFF ? k16 : k8);
    return outs;
}

