#include "save_to_disk/engine/placement_messages.h"

// A message of the enum without its text here does not compile.
#pragma GCC diagnostic error "-Wswitch"

const char* PlacementMessageText(unsigned id) {
    switch (PlacementMessage(id)) {
    case kMsgCreateFailed: return "Error: Failed to create SAVE2DSK.BIN.";
    case kMsgOpenFailed: return "Error: Failed to open SAVE2DSK.BIN.";
    case kMsgWriteFailed: return "Error: Failed to write to SAVE2DSK.BIN.";
    case kMsgNoFileStart: return "Error: Failed to get the beginning of the file.";
    case kMsgMoveFailed: return "Error: Failed to move clusters.";
    case kMsgNoSpaceToDefragment: return "Error: There is not enough free space to defragment  SAVE2DSK.BIN.";
    case kMsgLockFailed: return "Error: Could not lock the volume.";
    case kMsgVolumeOpenFailed: return "Error: Could not open the volume.";
    case kMsgNoNtFsControlFile: return "Error: Could not find NtFsControlFile entry point in NTDLL.DLL.";
    case kMsgNoVwin32: return "Error: Unable to open VWIN32 virtual device driver.";
    case kMsgUnrecognizedDrive: return "Error: Unrecognized drive type.";
    case kMsgNotLocalDrive: return "Error: Drive is not a local drive.";
    case kMsgNotWindows9x: return "Error: The program is not running on Windows 95/98.";
    case kMsgBadBootSector: return "Error: Could not read the boot sector of the drive.";
    case kMsgQueryDriveFailed: return "Error: Unable to query drive.";
    case kMsgDamagedVolume: return "Error: The drive has lost or cross-linked clusters. Run ScanDisk and try again.";
    case kMsgStatusSuccess: return "STATUS_SUCCESS";
    case kMsgStatusInvalidParameter: return "STATUS_INVALID_PARAMETER";
    case kMsgStatusInvalidDeviceRequest: return "STATUS_INVALID_DEVICE_REQUEST";
    case kMsgStatusAccessDenied: return "STATUS_ACCESS_DENIED";
    case kMsgStatusAlreadyCommitted: return "STATUS_ALREADY_COMMITTED";
    case kMsgStatusBufferTooSmall: return "STATUS_BUFFER_TOO_SMALL";
    case kMsgStatusOther: return "ERROR";
    }
    return nullptr;
}
