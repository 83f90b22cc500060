// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// DdeBus on an sd-bus connection of this thread. Calls go straight over the socket: a
// document converted step by step makes two calls per amount, and a connection served by
// another thread would add two thread switches to each.

#include <memory>
#include <string>
#include <vector>

#include "platform/dde_bus.h"
#include "platform/sd_bus_handles.h"

namespace kassavero {

class SdDdeBus final : public DdeBus {
  public:
    SdDdeBus();  // connects to the session bus
    ~SdDdeBus() override;
    SdDdeBus(const SdDdeBus&) = delete;
    SdDdeBus& operator=(const SdDdeBus&) = delete;

    bool IsConnected() override { return bus_ != nullptr; }
    bool CanHandOverFiles() override;
    bool NameHasOwner(const std::string& busName) override;
    BusReply StartService(const std::string& busName) override;
    BusReply CallMethod(const std::string& busName, const std::string& method,
                        const std::vector<BusValue>& arguments) override;
    bool WatchAdvise(const std::string& busName, AdviseHandler handler) override;
    void DeliverPending() override;
    std::string DeliverUntilLost() override;

  private:
    struct Watch {
        SdBusSlot slot;
        AdviseHandler handler;
    };
    BusReply Call(const char* destination, const char* path, const char* interface,
                  const char* method, const std::vector<BusValue>& arguments,
                  std::uint64_t timeout);

    // Members go in reverse order: the slots before their connection.
    SdBus bus_;
    std::vector<std::unique_ptr<Watch>> watches_;
};

}  // namespace kassavero
