// What machinesim prints and parses.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>

#include "machine_control/core/machine_operations.h"
#include "simulator/machinesim/machine_state_fields.h"
#include "simulator/model/model_transport.h"
#include "simulator/machinesim/smbios_dump.h"
#include "simulator/machinesim/smi_log_format.h"
#include "simulator/model/smbios_table.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

TEST(SmiLogFormat, LineHasTheFixedFormAndTheOperationName) {
    SmiLogEntry entry{};
    entry.request.Eax = 0x9612;
    entry.request.Ebx = 0x010B;
    entry.request.Ecx = 2;
    entry.reply = entry.request;
    entry.reply.Status = 0xFFFFFFFF;
    const std::string words = " 00009612 0000010B 00000002 00000000 00000000 00000000 00000000 00000000 00000000 00000000";
    EXPECT_EQ(FormatSmiLogLine(entry, false), "REQ 00000000" + words + " -> FFFFFFFF" + words);
    EXPECT_EQ(FormatSmiLogLine(entry, true), "REQ 00000000" + words + " -> FFFFFFFF" + words + " SetCurDisplay");
}

// Every operation of the library is named back from the request it sends.
TEST(SmiLogFormat, DecodesEveryOperationOfTheLibrary) {
    MachineModel model;
    ModelTransport transport(model);
    SmiTransport* previous = SetSmiTransport(&transport);
    std::uint8_t b = 0, c = 0, d = 0, e = 0;
    std::uint16_t w = 0, x = 0;
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"GetGlidenubStatus", [&] { GetGlidenubStatus(b); }},
        {"EnableGlidenub", [&] { EnableGlidenub(1); }},
        {"GetCurDisplay", [&] { GetCurDisplay(b); }},
        {"SetCurDisplay", [&] { SetCurDisplay(1); }},
        {"CheckMonitorConnect", [&] { CheckMonitorConnect(); }},
        {"GetScreenExpansion", [&] { GetScreenExpansion(b); }},
        {"EnableScreenExpansion", [&] { EnableScreenExpansion(0); }},
        {"GetNotSuspendForLCDClose", [&] { GetNotSuspendForLCDClose(b); }},
        {"SetNotSuspendForLCDClose", [&] { SetNotSuspendForLCDClose(1); }},
        {"GetCurSystemMode", [&] { GetCurSystemMode(b); }},
        {"GetScreenBlank", [&] { GetScreenBlank(b); }},
        {"SetScreenBlank", [&] { SetScreenBlank(0); }},
        {"GetBrightMode", [&] { GetBrightMode(b); }},
        {"SetBrightMode", [&] { SetBrightMode(1); }},
        {"GetSleepWhileDocked", [&] { GetSleepWhileDocked(b); }},
        {"SetSleepWhileDocked", [&] { SetSleepWhileDocked(0); }},
        {"GetResumeOnTimer", [&] { GetResumeOnTimer(b, c, d, e, w, x); }},
        {"SetResumeOnTimer", [&] { SetResumeOnTimer(0, 1, 2, 3, 4, 5); }},
        {"GetHibernateStatus", [&] { GetHibernateStatus(b, c); }},
        {"SetHibernateStatus", [&] { SetHibernateStatus(1, 2); }},
        {"SetBIOSforPwrMgrSupport", [&] { SetBIOSforPwrMgrSupport(1); }},
        {"SetSysPowerState", [&] { SetSysPowerState(1); }},
        {"GetCPUSpeedforCustomized", [&] { GetCPUSpeedforCustomized(0, b); }},
        {"SetCPUSpeedforCustomized", [&] { SetCPUSpeedforCustomized(0, 1); }},
        {"GetCDROMSpeed", [&] { GetCDROMSpeed(b); }},
        {"SetCDROMSpeed", [&] { SetCDROMSpeed(1); }},
        {"GetPowerMode", [&] { GetPowerMode(1, b); }},
        {"SetPowerMode", [&] { SetPowerMode(1, 0); }},
        {"GetPowerModeDefaultInfo", [&] { GetPowerModeDefaultInfo(1, 0, b, c, d, e); }},
        {"GetPowerSource", [&] { GetPowerSource(b); }},
        {"wsbi_GetPowerSourceStatus", [&] { wsbi_GetPowerSourceStatus(1, b, c, d, e, w); }},
        {"GetLCDOffTimer", [&] { GetLCDOffTimer(0, b); }},
        {"SetLCDOffTimer", [&] { SetLCDOffTimer(0, 1); }},
        {"GetHDDOffTimer", [&] { GetHDDOffTimer(0, b); }},
        {"SetHDDOffTimer", [&] { SetHDDOffTimer(0, 1); }},
        {"GetSysSuspendTimer", [&] { GetSysSuspendTimer(0, b); }},
        {"SetSysSuspendTimer", [&] { SetSysSuspendTimer(0, 1); }},
        {"GetSerialPortStatus", [&] { GetSerialPortStatus(0, b); }},
        {"SetSerialPortStatus", [&] { SetSerialPortStatus(17); }},
        {"GetParallPortOpMode", [&] { GetParallPortOpMode(b, w, c, d, e); }},
        {"SetParallPortOpMode", [&] { SetParallPortOpMode(1, 2, 3, 1); }},
        {"SetParallelPort", [&] { SetParallelPort(17); }},
        {"GetPCISteeringNum", [&] { GetPCISteeringNum(b); }},
        {"GetPCISteeringIRQList", [&] { GetPCISteeringIRQList(1, w); }},
        {"GetPCISteeringIRQ", [&] { GetPCISteeringIRQ(1, b, c); }},
        {"SetPCISteeringIRQ", [&] { SetPCISteeringIRQ(1, 1, 5); }},
        {"GetInfraredStatus", [&] { GetInfraredStatus(b); }},
        {"SetInfraredStatus", [&] { SetInfraredStatus(1); }},
        {"GetFnKeyLockstatus", [&] { GetFnKeyLockstatus(b); }},
        {"SetFnKeyLockStatus", [&] { SetFnKeyLockStatus(1); }},
    };
    for (const auto& [name, call] : calls) {
        model.ClearLog();
        call();
        SmiLogEntry entry{};
        ASSERT_TRUE(model.GetLogEntry(0, entry)) << name;
        EXPECT_STREQ(SmiOperationName(entry.request), name);
    }
    SetSmiTransport(previous);
    SmiRequest unknown{};
    unknown.Eax = 0x9613;
    EXPECT_STREQ(SmiOperationName(unknown), "unknown");
}

TEST(MachineStateFields, ShowPrintsEveryFieldAndSetChangesOne) {
    MachineState state;
    const std::string shown = FormatMachineState(state);
    EXPECT_NE(shown.find("externalPower=1\n"), std::string::npos);
    EXPECT_NE(shown.find("batteryPercent=100\n"), std::string::npos);
    EXPECT_NE(shown.find("powerMode[2]=1\n"), std::string::npos);
    EXPECT_NE(shown.find("pciIrqMask[0]=0x8EB8\n"), std::string::npos);
    EXPECT_NE(shown.find("memoryMegabytes=64\n"), std::string::npos);

    EXPECT_TRUE(SetMachineStateField(state, "batteryPercent=42"));
    EXPECT_EQ(state.batteryPercent, 42);
    EXPECT_TRUE(SetMachineStateField(state, "powerMode[1]=2"));
    EXPECT_EQ(state.powerMode[1], 2);
    EXPECT_TRUE(SetMachineStateField(state, "resumeYear=0x1999"));
    EXPECT_EQ(state.resumeYear, 0x1999);
    EXPECT_TRUE(SetMachineStateField(state, "memoryMegabytes=128"));
    EXPECT_EQ(state.memoryMegabytes, 128);
}

TEST(MachineStateFields, SetRefusesWhatDoesNotFit) {
    MachineState state;
    const MachineState before = state;
    for (const char* bad : {"batteryPercent=256", "noSuchField=1", "powerMode=1", "powerMode[3]=1", "batteryPercent",
                            "batteryPercent=", "batteryPercent=12x", "externalPower[0]=1", "powerMode[1=1",
                            "resumeYear=0x10000", "sysPowerRequests=4294967296"}) {
        EXPECT_FALSE(SetMachineStateField(state, bad)) << bad;
    }
    EXPECT_EQ(std::memcmp(&state, &before, sizeof state), 0);
}

}  // namespace

namespace {

// The dump of the machine's own table, read by Debian's dmidecode: the values
// the System Information page shows come out as dmidecode decodes them.
TEST(SmbiosDump, DmidecodeReadsTheMachinesTable) {
    std::vector<std::uint8_t> dump;
    ASSERT_TRUE(BuildSmbiosDump(kDefaultSmbiosTable, sizeof kDefaultSmbiosTable, dump));
    const char* dmidecode = nullptr;
    for (const char* path : {"/usr/sbin/dmidecode", "/sbin/dmidecode", "/usr/bin/dmidecode"})
        if (access(path, X_OK) == 0) dmidecode = path;
    ASSERT_NE(dmidecode, nullptr) << "dmidecode is not installed (Debian package dmidecode; scripts/setup installs it)";
    char file[] = "/tmp/smbios-dump-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, dump.data(), dump.size()), static_cast<ssize_t>(dump.size()));
    close(fd);
    const std::string command = std::string(dmidecode) + " --from-dump " + file + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[512];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
        pclose(pipe);
    }
    unlink(file);
    for (const char* expected : {"SMBIOS 2.3 present.", "4 structures occupying", "BIOS Information",
                                 "\tVersion: V1.20\n", "\tProduct Name: Notebook 510CT\n",
                                 "\tSerial Number: SU98042179\n", "\tSerial Number: BD98113069\n",
                                 "\tProduct Name: MB-510\n", "End Of Table"})
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
    EXPECT_EQ(output.find("checksum"), std::string::npos) << output;
    EXPECT_EQ(output.find("Invalid"), std::string::npos) << output;
}

TEST(SmbiosDump, RefusesTablesThatAreNotWholeStructures) {
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {0x7F, 0x04, 0x00},                                // shorter than a header
        {0x00, 0x03, 0x00, 0x00, 0, 0},                    // formatted area shorter than the header
        {0x01, 0x08, 0x00, 0x00, 0, 0},                    // formatted area past the end
        {0x7F, 0x04, 0x00, 0x00, 'x', 0},                  // strings without the double NUL
        {0x00, 0x04, 0x00, 0x00, 0, 0},                    // no end-of-table structure
        {0x7F, 0x04, 0x00, 0x00, 0, 0, 0x00},              // bytes after the end of table
    };
    std::vector<std::uint8_t> dump = {1, 2, 3};
    for (const auto& table : bad) EXPECT_FALSE(BuildSmbiosDump(table.data(), std::uint32_t(table.size()), dump));
    EXPECT_EQ(dump.size(), 3u) << "a refused table leaves the output alone";
    const std::uint8_t end[] = {0x7F, 0x04, 0x00, 0x00, 0, 0};
    ASSERT_TRUE(BuildSmbiosDump(end, sizeof end, dump));
    ASSERT_EQ(dump.size(), 32u + sizeof end);
    std::uint8_t sum = 0;
    for (int i = 0; i < 0x1F; ++i) sum = std::uint8_t(sum + dump[i]);
    EXPECT_EQ(sum, 0) << "the entry point's checksum";
}

}  // namespace
