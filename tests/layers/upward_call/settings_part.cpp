// SPDX-License-Identifier: GPL-3.0-or-later
namespace probe {
int SettingsPart();
int SettingsPart() {
    return 2;
}
}  // namespace probe
