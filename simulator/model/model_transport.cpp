#include "simulator/model/model_transport.h"

Bool32 ModelTransport::Open() {
    open_ = true;
    return 1;
}

Bool32 ModelTransport::Close() {
    if (!open_) return 0;
    open_ = false;
    return 1;
}

Bool32 ModelTransport::Exchange(const SmiRequest& request, SmiRequest& reply) {
    if (!open_) return 0;
    model_.AnswerSmiRequest(request, reply);
    return 1;
}
