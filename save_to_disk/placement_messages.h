// String-table ids of the messages the placement engines show.
#pragma once

enum PlacementMessage : unsigned {
    kMsgCreateFailed = 1,
    kMsgOpenFailed = 2,
    kMsgWriteFailed = 3,
    kMsgNoFileStart = 4,
    kMsgMoveFailed = 5,
    kMsgNoSpaceToDefragment = 6,
    kMsgLockFailed = 7,
    kMsgNoVwin32 = 17,
    kMsgUnrecognizedDrive = 19,
    kMsgNotLocalDrive = 20,
    kMsgNotWindows9x = 21,
    kMsgBadBootSector = 22,
    kMsgQueryDriveFailed = 31,
    kMsgDamagedVolume = 41,
};

// The English text of a message, for the command-line tool; nullptr for an unknown id.
const char* PlacementMessageText(unsigned id);
