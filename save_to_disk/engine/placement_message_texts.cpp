#include "save_to_disk/engine/placement_messages.h"

namespace {

struct MessageText {
    unsigned id;
    const char* text;
};

constexpr MessageText kTexts[] = {
    {kMsgCreateFailed, "Error: Failed to create SAVE2DSK.BIN."},
    {kMsgOpenFailed, "Error: Failed to open SAVE2DSK.BIN."},
    {kMsgWriteFailed, "Error: Failed to write to SAVE2DSK.BIN."},
    {kMsgNoFileStart, "Error: Failed to get the beginning of the file."},
    {kMsgMoveFailed, "Error: Failed to move clusters."},
    {kMsgNoSpaceToDefragment, "Error: There is not enough free space to defragment  SAVE2DSK.BIN."},
    {kMsgLockFailed, "Error: Could not lock the volume."},
    {kMsgVolumeOpenFailed, "Error: Could not open the volume."},
    {kMsgNoNtFsControlFile, "Error: Could not find NtFsControlFile entry point in NTDLL.DLL."},
    {kMsgNoVwin32, "Error: Unable to open VWIN32 virtual device driver."},
    {kMsgUnrecognizedDrive, "Error: Unrecognized drive type."},
    {kMsgNotLocalDrive, "Error: Drive is not a local drive."},
    {kMsgNotWindows9x, "Error: The program is not running on Windows 95/98."},
    {kMsgBadBootSector, "Error: Could not read the boot sector of the drive."},
    {kMsgQueryDriveFailed, "Error: Unable to query drive."},
    {kMsgDamagedVolume, "Error: The drive has lost or cross-linked clusters. Run ScanDisk and try again."},
    {kMsgStatusSuccess, "STATUS_SUCCESS"},
    {kMsgStatusInvalidParameter, "STATUS_INVALID_PARAMETER"},
    {kMsgStatusInvalidDeviceRequest, "STATUS_INVALID_DEVICE_REQUEST"},
    {kMsgStatusAccessDenied, "STATUS_ACCESS_DENIED"},
    {kMsgStatusAlreadyCommitted, "STATUS_ALREADY_COMMITTED"},
    {kMsgStatusBufferTooSmall, "STATUS_BUFFER_TOO_SMALL"},
    {kMsgStatusOther, "ERROR"},
};

}  // namespace

const char* PlacementMessageText(unsigned id) {
    for (const MessageText& m : kTexts)
        if (m.id == id) return m.text;
    return nullptr;
}
