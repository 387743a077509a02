#pragma once
#include "platform/platform.h"

namespace vexal::platform::fake {

class FakeConnectivity final : public Connectivity {
public:
    [[nodiscard]] bool connected() override {
        ++queries;
        return online;
    }
    bool online = true;
    int queries = 0;
};

}  // namespace vexal::platform::fake
