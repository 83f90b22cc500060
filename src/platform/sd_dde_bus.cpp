// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sd_dde_bus.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/dde_names.h"
#include "platform/file_read.h"
#include "platform/memory_file.h"

namespace kassavero {
namespace {

// A year is as good as never for a call that waits for the user.
constexpr std::uint64_t kNoTimeout = 365ULL * 24 * 3600 * 1000000;
constexpr std::uint64_t kDefaultTimeout = 0;

constexpr const char* kDaemon = "org.freedesktop.DBus";
constexpr const char* kDaemonPath = "/org/freedesktop/DBus";

// A reply's handed-over text may be as long as any text the program converts whole.
constexpr std::size_t kLargestHandedReply = 64u << 20;

int Append(sd_bus_message* message, const BusValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return sd_bus_message_append_basic(message, 's', text->c_str());
    if (const auto* handed = std::get_if<HandedBytes>(&value)) {
        std::string error;
        const OwnedFd file = SealedMemoryFile(handed->bytes, error);
        if (!file)
            return errno != 0 ? -errno : -EIO;
        // The message keeps a copy of the descriptor.
        const int fd = file.get();
        return sd_bus_message_append_basic(message, 'h', &fd);
    }
    const std::uint32_t number = std::get<std::uint32_t>(value);
    return sd_bus_message_append_basic(message, 'u', &number);
}

int ReadHanded(sd_bus_message* message, std::vector<BusValue>& values) {
    int fd = -1;
    const int result = sd_bus_message_read_basic(message, 'h', &fd);
    if (result <= 0)
        return result;
    FileRead read = ReadOpenedFile(fd, kLargestHandedReply, "the handed-over reply");
    if (read.outcome != FileRead::Outcome::Read)
        return -EBADMSG;
    values.emplace_back(HandedBytes{std::move(read.bytes)});
    return result;
}

// The values of a reply, up to the first of a type not in BusValue.
int ReadValues(sd_bus_message* message, std::vector<BusValue>& values) {
    for (;;) {
        char type = 0;
        int result = sd_bus_message_peek_type(message, &type, nullptr);
        if (result <= 0)
            return result;
        if (type == 's') {
            const char* text = nullptr;
            result = sd_bus_message_read_basic(message, 's', &text);
            if (result > 0)
                values.emplace_back(std::string(text));
        } else if (type == 'u') {
            std::uint32_t number = 0;
            result = sd_bus_message_read_basic(message, 'u', &number);
            if (result > 0)
                values.emplace_back(number);
        } else if (type == 'h') {
            result = ReadHanded(message, values);
        } else {
            return 0;
        }
        if (result < 0)
            return result;
    }
}

int OnAdvise(sd_bus_message* signal, void* handler, sd_bus_error*) {
    const char* item = nullptr;
    const char* data = nullptr;
    if (sd_bus_message_read(signal, "ss", &item, &data) >= 0)
        (*static_cast<AdviseHandler*>(handler))(item, data);
    return 0;
}

}  // namespace

SdDdeBus::SdDdeBus() {
    if (sd_bus_open_user(bus_.Put()) < 0)
        bus_.reset();
}

SdDdeBus::~SdDdeBus() = default;

BusReply SdDdeBus::Call(const char* destination, const char* path, const char* interface,
                        const char* method, const std::vector<BusValue>& arguments,
                        std::uint64_t timeout) {
    BusReply reply;
    if (bus_ == nullptr) {
        reply.errorName = "org.freedesktop.DBus.Error.NoServer";
        reply.errorMessage = "no session bus (is DBUS_SESSION_BUS_ADDRESS set?)";
        return reply;
    }
    SdBusMessage call;
    SdBusMessage answer;
    SdBusError error;
    int result = sd_bus_message_new_method_call(bus_.get(), call.Put(), destination, path,
                                                interface, method);
    for (const BusValue& argument : arguments) {
        if (result >= 0)
            result = Append(call.get(), argument);
    }
    if (result >= 0)
        result = sd_bus_call(bus_.get(), call.get(), timeout, error.get(), answer.Put());
    if (result >= 0)
        result = ReadValues(answer.get(), reply.values);
    if (result >= 0)
        return reply;
    if (error.IsSet()) {
        reply.errorName = error.Name();
        reply.errorMessage = error.Message();
    } else {
        reply.errorName = "org.freedesktop.DBus.Error.Failed";
        reply.errorMessage = std::strerror(-result);
    }
    return reply;
}

bool SdDdeBus::CanHandOverFiles() {
    return bus_ != nullptr && sd_bus_can_send(bus_.get(), SD_BUS_TYPE_UNIX_FD) > 0;
}

bool SdDdeBus::NameHasOwner(const std::string& busName) {
    SdBusError error;
    SdBusMessage reply;
    int owned = 0;
    return bus_ != nullptr &&
           sd_bus_call_method(bus_.get(), kDaemon, kDaemonPath, kDaemon, "NameHasOwner",
                              error.get(), reply.Put(), "s", busName.c_str()) >= 0 &&
           sd_bus_message_read(reply.get(), "b", &owned) >= 0 && owned != 0;
}

BusReply SdDdeBus::StartService(const std::string& busName) {
    return Call(kDaemon, kDaemonPath, kDaemon, "StartServiceByName", {busName, std::uint32_t{0}},
                kDefaultTimeout);
}

BusReply SdDdeBus::CallMethod(const std::string& busName, const std::string& method,
                              const std::vector<BusValue>& arguments) {
    return Call(busName.c_str(), kDdeObjectPath, kDdeInterface, method.c_str(), arguments,
                kNoTimeout);
}

bool SdDdeBus::WatchAdvise(const std::string& busName, AdviseHandler handler) {
    if (bus_ == nullptr)
        return false;
    auto watch = std::make_unique<Watch>();
    watch->handler = std::move(handler);
    if (sd_bus_match_signal(bus_.get(), watch->slot.Put(), busName.c_str(), kDdeObjectPath,
                            kDdeInterface, "Advise", &OnAdvise, &watch->handler) < 0)
        return false;
    watches_.push_back(std::move(watch));
    return true;
}

void SdDdeBus::DeliverPending() {
    if (bus_ == nullptr)
        return;
    while (sd_bus_process(bus_.get(), nullptr) > 0) {
    }
}

std::string SdDdeBus::DeliverUntilLost() {
    if (bus_ == nullptr)
        return "no session bus";
    for (;;) {
        int result = sd_bus_process(bus_.get(), nullptr);
        if (result == 0)
            result = sd_bus_wait(bus_.get(), UINT64_MAX);
        if (result < 0 && result != -EINTR)
            return std::strerror(-result);
    }
}

}  // namespace kassavero
