// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The session bus as a client of the command interface sees it: the bus daemon's few
// questions, the methods of the program at a bus name, and its Advise signal.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace kassavero {

// Bytes handed over in a file descriptor beside the message (type h), so the bus daemon
// neither copies nor checks them: the way for a long text.
struct HandedBytes {
    std::string bytes;
};

// A value on the bus: a string (UTF-8), an unsigned number or handed-over bytes.
using BusValue = std::variant<std::string, std::uint32_t, HandedBytes>;

// What a call returned, or its error.
struct BusReply {
    std::vector<BusValue> values;
    std::string errorName;  // empty when the call succeeded
    std::string errorMessage;
};

inline constexpr const char* kUnknownMethodError = "org.freedesktop.DBus.Error.UnknownMethod";
inline constexpr const char* kServiceUnknownError = "org.freedesktop.DBus.Error.ServiceUnknown";

using AdviseHandler = std::function<void(const std::string& item, const std::string& data)>;

class DdeBus {
  public:
    virtual ~DdeBus() = default;

    // False when no session bus could be reached.
    virtual bool IsConnected() = 0;
    // Whether file descriptors pass on this connection, so HandedBytes can be sent.
    virtual bool CanHandOverFiles() = 0;
    // Whether the name has an owner; false when the bus cannot tell.
    virtual bool NameHasOwner(const std::string& busName) = 0;
    // Has the bus start the program that serves the name (bus activation).
    virtual BusReply StartService(const std::string& busName) = 0;
    // A method of the command interface at the name. It never times out: some calls
    // wait for the user as long as the user takes.
    virtual BusReply CallMethod(const std::string& busName, const std::string& method,
                                const std::vector<BusValue>& arguments) = 0;
    // From now on the Advise signals of the name go to the handler whenever signals are
    // delivered. False when the bus refuses.
    virtual bool WatchAdvise(const std::string& busName, AdviseHandler handler) = 0;
    // Delivers the signals that have come already, without waiting.
    virtual void DeliverPending() = 0;
    // Waits for signals and delivers them until the connection is lost; returns why.
    virtual std::string DeliverUntilLost() = 0;
};

}  // namespace kassavero
