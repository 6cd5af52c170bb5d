#include "hotkey_service/core/status_rules.h"

StatusFields NextStatusFields(std::uint32_t state, std::uint32_t& checkPointCounter) {
    StatusFields fields{};
    fields.controlsAccepted = state == kServiceStartPending ? 0 : kServiceAcceptStop;
    if (state == kServiceRunning || state == kServiceStopped) {
        fields.checkPoint = 0;
    } else {
        fields.checkPoint = checkPointCounter++;
    }
    return fields;
}
