// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Owners of sd-bus objects: each gives its reference back when it goes, so an early
// return can neither leak a message nor leave a connection open.

#include <systemd/sd-bus.h>

#include <cstddef>
#include <utility>

namespace kassavero {

// One reference to an sd-bus object, given back by Unref (which takes null as well).
template <typename T, T* (*Unref)(T*)>
class SdBusHandle {
  public:
    SdBusHandle() = default;
    explicit SdBusHandle(T* object) : object_(object) {}
    ~SdBusHandle() { Unref(object_); }
    SdBusHandle(SdBusHandle&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    SdBusHandle& operator=(SdBusHandle&& other) noexcept {
        reset(std::exchange(other.object_, nullptr));
        return *this;
    }

    T* get() const { return object_; }
    void reset(T* object = nullptr) { Unref(std::exchange(object_, object)); }
    // For a function that fills in a new reference: sd_bus_open_user(bus.Put()). The
    // handle holds it as soon as the function returns.
    T** Put() {
        reset();
        return &object_;
    }
    friend bool operator==(const SdBusHandle& handle, std::nullptr_t) {
        return handle.object_ == nullptr;
    }

  private:
    T* object_ = nullptr;
};

// A connection flushes what it queued before it closes.
using SdBus = SdBusHandle<sd_bus, sd_bus_flush_close_unref>;
using SdBusMessage = SdBusHandle<sd_bus_message, sd_bus_message_unref>;
using SdBusSlot = SdBusHandle<sd_bus_slot, sd_bus_slot_unref>;

// An error filled in by a call, freed with its owner.
class SdBusError {
  public:
    SdBusError() = default;
    ~SdBusError() { sd_bus_error_free(&error_); }
    SdBusError(const SdBusError&) = delete;
    SdBusError& operator=(const SdBusError&) = delete;

    sd_bus_error* get() { return &error_; }
    bool IsSet() const { return sd_bus_error_is_set(&error_) != 0; }
    const char* Name() const { return error_.name != nullptr ? error_.name : ""; }
    const char* Message() const { return error_.message != nullptr ? error_.message : ""; }

  private:
    // SD_BUS_ERROR_NULL spelled out: the macro is a C compound literal.
    sd_bus_error error_{nullptr, nullptr, 0};
};

}  // namespace kassavero
