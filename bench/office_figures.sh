#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The LibreOffice extension on a price list of 3,000 amounts on 58 pages, one amount to a
# paragraph, beside kassavero-dde converting the same text, in one run on a private
# session bus: with tracked changes and the calculator display on (the profile's
# defaults; changes not confirmed one by one), and with both off; then a Calc price list
# of 1,000 rows converted whole-sheet without confirmations. Run from the repository
# after building.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BIN:-build/bin}
OXT=${OXT:-build/office/kassavero.oxt}

if [ -z "${KASSAVERO_FIGURES_ON_BUS:-}" ]; then
    export KASSAVERO_FIGURES_ON_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" HOME="$WORK/home"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
STATUS="$XDG_CONFIG_HOME/Kassavero/KASSAVR.INI"

"$BIN/kassavero" &
until grep -q '^DDEStatus=OK' "$STATUS" 2>/dev/null; do sleep 0.05; done
"$BIN/kassavero-dde" call settings "setvalue(,WordConfirmChanges,0)" >/dev/null

PIPE="kassavero_figures_$$"
setsid soffice --headless --invisible --norestore --nologo \
    -env:UserInstallation="file://$WORK/lo-profile" --accept="pipe,name=$PIPE;urp;" \
    >"$WORK/soffice.out" 2>&1 &
/usr/bin/python3 bench/office_figures.py "$PIPE" install "$OXT" >/dev/null

for setting in 1 0; do
    "$BIN/kassavero-dde" call settings \
        "setvalue(,WordTraceChanges,$setting);setvalue(,WordDisplayInCalculator,$setting)" \
        >/dev/null
    echo "== tracked changes and calculator display: $([ $setting = 1 ] && echo on || echo off)"
    /usr/bin/python3 bench/office_figures.py "$PIPE" writer "$WORK/list.txt"
    start=$(date +%s%N)
    "$BIN/kassavero-dde" convert "$WORK/list.txt" -o "$WORK/list.out" 2>/dev/null
    echo "kassavero-dde convert of the same text: $(( ($(date +%s%N) - start) / 1000000 )) ms"
done
/usr/bin/python3 bench/office_figures.py "$PIPE" calc 1000
