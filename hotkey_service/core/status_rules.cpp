#include "hotkey_service/core/status_rules.h"

StatusFields NextStatusFields(std::uint32_t state, std::uint32_t* checkPointCounter) {
    StatusFields fields{};
    fields.controlsAccepted = state == ServiceStartPending ? 0 : ServiceAcceptStop;
    if (state == ServiceRunning || state == ServiceStopped) {
        fields.checkPoint = 0;
    } else {
        fields.checkPoint = (*checkPointCounter)++;
    }
    return fields;
}
