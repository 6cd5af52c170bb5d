// The rules by which a status report fills the service's status record.
#pragma once

#include <cstdint>

// The service manager's states and the stop control, as the platform numbers them.
inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kServiceStartPending = 2;
inline constexpr std::uint32_t kServiceStopPending = 3;
inline constexpr std::uint32_t kServiceRunning = 4;
inline constexpr std::uint32_t kServiceAcceptStop = 1;

struct StatusFields {
    std::uint32_t controlsAccepted;
    std::uint32_t checkPoint;
};

// The controls accepted and the checkpoint for a report of state. Pending
// states take the counter's value and move it on; running and stopped carry 0.
StatusFields NextStatusFields(std::uint32_t state, std::uint32_t& checkPointCounter);
