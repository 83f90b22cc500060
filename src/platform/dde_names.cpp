// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dde_names.h"

namespace kassavero {

std::string DdeBusName(std::string_view service) {
    std::string element;
    for (char c : service) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        element += plain ? c : '_';
    }
    if (element.empty() || (element.front() >= '0' && element.front() <= '9')) {
        element.insert(0, 1, '_');
    }
    return kDdeBusNamePrefix + element;
}

}  // namespace kassavero
