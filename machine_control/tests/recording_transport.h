// A transport for tests: records each request and answers with a fixed reply.
#pragma once

#include <vector>

#include "machine_control/core/smi_channel.h"

class RecordingTransport final : public SmiTransport {
public:
    RecordingTransport() { previous_ = SetSmiTransport(this); }
    ~RecordingTransport() { SetSmiTransport(previous_); }
    RecordingTransport(const RecordingTransport&) = delete;
    RecordingTransport& operator=(const RecordingTransport&) = delete;

    Bool32 Open() override { return open_ = true; }
    Bool32 Close() override {
        const bool was_open = open_;
        open_ = false;
        return was_open;
    }
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        requests.push_back(request);
        if (fail) return 0;
        reply = answer;
        return 1;
    }

    std::vector<SmiRequest> requests;
    SmiRequest answer{};
    bool fail = false;

private:
    SmiTransport* previous_ = nullptr;
    bool open_ = false;
};
