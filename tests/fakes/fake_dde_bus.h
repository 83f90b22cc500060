// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dde_bus.h"

namespace kassavero::testing {

// The session bus with one program on it, answered by `program`. An Advise signal the
// program announces reaches the client only when it watches them, and only once it has
// the waiting signals delivered, as on a real connection.
class FakeDdeBus final : public DdeBus {
  public:
    struct MethodCall {
        std::string method;
        std::vector<BusValue> arguments;
    };
    bool connected = true;
    bool handsOverFiles = true;
    bool owned = true;
    BusReply startReply;
    int starts = 0;
    std::function<BusReply(const MethodCall&)> program;
    std::vector<MethodCall> calls;

    void Announce(const std::string& item, const std::string& data) {
        if (handler_)
            pending_.emplace_back(item, data);
    }
    std::vector<std::string> Methods() const {
        std::vector<std::string> methods;
        for (const MethodCall& call : calls)
            methods.push_back(call.method);
        return methods;
    }

    bool IsConnected() override { return connected; }
    bool CanHandOverFiles() override { return handsOverFiles; }
    bool NameHasOwner(const std::string&) override { return owned; }
    BusReply StartService(const std::string&) override {
        ++starts;
        return startReply;
    }
    BusReply CallMethod(const std::string&, const std::string& method,
                        const std::vector<BusValue>& arguments) override {
        calls.push_back({method, arguments});
        return program(calls.back());
    }
    bool WatchAdvise(const std::string&, AdviseHandler handler) override {
        handler_ = std::move(handler);
        return true;
    }
    void DeliverPending() override {
        for (const auto& [item, data] : std::exchange(pending_, {}))
            handler_(item, data);
    }
    std::string DeliverUntilLost() override {
        DeliverPending();
        return "gone";
    }

  private:
    AdviseHandler handler_;
    std::vector<std::pair<std::string, std::string>> pending_;
};

}  // namespace kassavero::testing
