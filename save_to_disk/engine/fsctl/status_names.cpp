#include "save_to_disk/engine/fsctl/fs_control.h"
#include "save_to_disk/engine/placement_messages.h"

unsigned StatusNameMessage(uint32_t status) {
    switch (status) {
    case kStatusSuccess: return kMsgStatusSuccess;
    case kStatusInvalidParameter: return kMsgStatusInvalidParameter;
    case kStatusInvalidDeviceRequest: return kMsgStatusInvalidDeviceRequest;
    case kStatusAccessDenied: return kMsgStatusAccessDenied;
    case kStatusAlreadyCommitted: return kMsgStatusAlreadyCommitted;
    case kStatusBufferTooSmall: return kMsgStatusBufferTooSmall;
    default: return kMsgStatusOther;
    }
}
