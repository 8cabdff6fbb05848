#!/usr/bin/env bash
# The configured hot key pressed on the keyboard (through the X server) hides the running program.
# Usage: hotkey_keyboard.sh <folder with Velmora.exe>
set -u
bin=$1
source "$(dirname "$0")/../../scripts/wine-env"
wine_warm_up
command -v xdotool >/dev/null || { echo "xdotool missing"; exit 1; }

program=$(mktemp -d)
cleanup() {
    # A normal close: NeverRequire is not set, so the program ends and releases its hot key.
    wine taskkill /im Velmora.exe </dev/null >/dev/null 2>&1
    for _ in $(seq 50); do pgrep -f 'Velmora.exe' >/dev/null || break; sleep 0.1; done
    rm -rf "$program"
}
trap cleanup EXIT
cp "$bin/Velmora.exe" "$program/"
# With its skin: a missing skin folder would greet the test with a message box instead.
[ -d "$bin/Skin" ] && cp -r "$bin/Skin" "$program/"
printf '[UserCustom]\r\nHotKey=0,120,120\r\n' >"$program/UserConfig.ini"
(cd "$program" && exec wine Velmora.exe </dev/null >/dev/null 2>&1) &

window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the Velmora window did not appear"; exit 1; }

# Hot keys reach Wine only while one of its windows has the keyboard focus.
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key F9
for _ in $(seq 50); do
    if [ -z "$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null)" ]; then
        echo "PASS: F9 hid the window"
        exit 0
    fi
    sleep 0.1
done
echo "FAIL: F9 did not hide the window"
exit 1
