// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names under which the command interface is found on the session bus. The service
// name itself comes from DdeServiceName (platform/dde_server.h).

#include <string>
#include <string_view>

namespace kassavero {

inline constexpr const char* kDdeObjectPath = "/org/kassavero/dde";
inline constexpr const char* kDdeInterface = "org.kassavero.dde.Server";
inline constexpr const char* kDdeBusNamePrefix = "org.kassavero.dde.";

// "org.kassavero.dde." + the service, each character outside [A-Za-z0-9_] replaced by
// "_", and "_" put in front of a leading digit, which a bus name may not have.
std::string DdeBusName(std::string_view service);

}  // namespace kassavero
