#!/bin/sh
# make run: starts Sweepane under Wine. With a display, on it, until you
# close the dialog. Without one, on a virtual 1024x768 screen: saves a
# screenshot of the dialog to build/sweepane.png and cancels it.
set -eu
cd "$(dirname "$0")/.."
env=tools/wineenv.sh
dir=build/win32/wine-run
exe=build/win32/sweepane.exe

if [ -n "${DISPLAY:-}" ]; then
    WINEENV_HOST_DISPLAY=1 "$env" up "$dir"
    status=0
    "$env" run "$dir" "$exe" || status=$?
    "$env" down "$dir"
    exit $status
fi

"$env" up "$dir"
trap '"$env" down "$dir"' EXIT
"$env" run "$dir" "$exe" &
app=$!
"$env" run "$dir" build/win32/tests/uitool.exe wait ||
    { echo "run: Sweepane's dialog never showed" >&2; exit 1; }
DISPLAY=:$(cat "$dir/display") import -window root build/sweepane.png
"$env" run "$dir" build/win32/tests/uitool.exe cancel
wait $app
echo "run: dialog shown and cancelled; screenshot in build/sweepane.png"
