// merovant's command-line page switches: "/n" or "-n" with a page number 1 to
// 16 or the page's keyword.
#pragma once

#include <cstddef>

// The page numbers a switch can name. kMainWindow (also the answer when no
// switch is given) starts the program normally; kNoPage shows nothing.
enum PageNumber : int {
    kPageGlidenub = 1,
    kPageAudio = 2,
    kPageInfrared = 3,
    kPageMidi = 4,
    kPageParallelPort = 5,
    kPageSerialPort = 6,
    kPageModem = 7,
    kPagePciDeviceSetup = 8,
    kPagePcCardSlots = 9,
    kPagePower = 10,
    kPageLcd = 11,
    kPageDisplay = 12,
    kPageAccessibility = 13,
    kPageSystemInformation = 14,
    kPageHelp = 15,
    kMainWindow = 16,
    kNoPage = 20,
};

// The page one switch asks for: its keyword (compared without regard to case)
// or else its number read like atoi; a number below 1 or above 16 is kNoPage.
PageNumber PageFromSwitch(const char* request);

// Reads the arguments after the program name. Arguments that do not begin with
// "/" or "-" are ignored; the last switch wins; with no switch the answer is
// kMainWindow.
PageNumber ParsePageSwitches(std::size_t count, const char* const* arguments);
