// String-table ids of the messages the placement engines show.
#pragma once

#include <cstdint>

enum PlacementMessage : unsigned {
    kMsgCreateFailed = 1,
    kMsgOpenFailed = 2,
    kMsgWriteFailed = 3,
    kMsgNoFileStart = 4,
    kMsgMoveFailed = 5,
    kMsgNoSpaceToDefragment = 6,
    kMsgLockFailed = 7,
    kMsgVolumeOpenFailed = 8,
    kMsgNoNtFsControlFile = 16,
    kMsgNoVwin32 = 17,
    kMsgUnrecognizedDrive = 19,
    kMsgNotLocalDrive = 20,
    kMsgNotWindows9x = 21,
    kMsgBadBootSector = 22,
    kMsgQueryDriveFailed = 31,
    kMsgDamagedVolume = 41,
    // The names of the file-system control statuses.
    kMsgStatusSuccess = 50,
    kMsgStatusInvalidParameter = 51,
    kMsgStatusInvalidDeviceRequest = 52,
    kMsgStatusAccessDenied = 53,
    kMsgStatusAlreadyCommitted = 54,
    kMsgStatusBufferTooSmall = 55,
    kMsgStatusOther = 56,
};

// The message that names a file-system control status.
unsigned StatusNameMessage(uint32_t status);

// The English text of a message, for the command-line tool; nullptr for an unknown id.
const char* PlacementMessageText(unsigned id);
