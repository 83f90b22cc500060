#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Kassavero and starts it. Arguments are passed on to
# the program (for example /nowarning).
#
# Without a display it runs on Qt's offscreen platform; without a session bus it starts
# a private one and prints how to reach it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
kassavero_install_missing
kassavero_generate_locales

cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: Kassavero runs on Qt's offscreen platform (no windows are shown)."
    export QT_QPA_PLATFORM=offscreen
fi

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    bus_info=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    DBUS_SESSION_BUS_ADDRESS=$(echo "$bus_info" | sed -n 1p)
    bus_pid=$(echo "$bus_info" | sed -n 2p)
    export DBUS_SESSION_BUS_ADDRESS
    trap 'kill "$bus_pid" 2>/dev/null || true' EXIT
    echo "No session bus found: started a private one. To reach Kassavero from another shell:"
    echo "    export DBUS_SESSION_BUS_ADDRESS='$DBUS_SESSION_BUS_ADDRESS'"
    echo "    build/bin/kassavero-dde call filter testconnection"
fi

echo "Starting Kassavero (end it with Ctrl+C)."
build/bin/kassavero "$@"
