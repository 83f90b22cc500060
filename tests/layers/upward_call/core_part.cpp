// SPDX-License-Identifier: GPL-3.0-or-later
namespace probe {
#ifdef PROBE_UPWARD
int SettingsPart();  // declared by hand, no include
#endif
int CorePart();
int CorePart() {
#ifdef PROBE_UPWARD
    return SettingsPart();
#else
    return 1;
#endif
}
}  // namespace probe
