// A message receiver that records what it is handed.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "com/ComObject.h"
#include "ostbar/OstBarContract.h"

namespace ostbar::testing {

struct ReceivedMessage {
    std::intptr_t window = 0;
    LONG message = 0;
    std::intptr_t wParam = 0;
    std::intptr_t lParam = 0;
    friend bool operator==(const ReceivedMessage&, const ReceivedMessage&) = default;
};

class RecordingReceiver final : public com::ComObject<IOstMessageReceiver> {
public:
    HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override {
        messages.push_back({window, message, wParam, lParam});
        if (onMessage)
            onMessage();
        if (result)
            *result = 0;
        return com::S_OK;
    }
    // The command ids of the kWmCommand messages, in order.
    std::vector<std::intptr_t> commands() const {
        std::vector<std::intptr_t> ids;
        for (const ReceivedMessage& m : messages) {
            if (m.message == kWmCommand)
                ids.push_back(m.wParam);
        }
        return ids;
    }

    std::vector<ReceivedMessage> messages;
    std::function<void()> onMessage;
};

}  // namespace ostbar::testing
