#!/usr/bin/env bash
# Velmora.exe started from a folder whose path is longer than MAX_PATH: its window comes up, its
# script bridge's type library loads (a failure would be an error box) and no box is shown.
# Started from the shell, in its folder, as a user's shortcut would: Wine's own CreateProcess does
# not start programs by paths this long.
# Usage: long_folder_start.sh <folder with Velmora.exe>
set -u
bin=$1
source "$(dirname "$0")/blackbox-env.sh"

root=$(mktemp -d)
program=$root
while [ ${#program} -lt 300 ]; do
    program="$program/一个很深的文件夹-a-folder-deep-in-the-tree"
done
mkdir -p "$program"
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT
cp "$bin/Velmora.exe" "$program/"
cp -r "$bin/Skin" "$program/"
printf '[UserCustom]\r\nSkinPath=Skin\\Blue\\\r\n' >"$program/UserConfig.ini"

log=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local 2>/dev/null | head -n 1)/Velmora/Velmora.log
before=$(stat -c %s "$log" 2>/dev/null || echo 0)
(cd "$program" && exec wine Velmora.exe </dev/null >/dev/null 2>&1) &
pid=$!

# Its visible windows with an area: Wine also maps a 1 x 1 window for the hidden application window.
windows() {
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        xdotool getwindowgeometry "$w" | grep -q "Geometry: 1x1$" || echo "$w"
    done
}
main_window() { [ -n "$(xdotool search --onlyvisible --pid "$pid" --name '^Velmora$' 2>/dev/null)" ]; }
wait_for 150 main_window || { echo "FAIL: the Velmora window did not appear"; exit 1; }
# The settings line is logged once the main window stands; read what this start wrote.
started() { tail -c +"$((before + 1))" "$log" 2>/dev/null | grep -q "system DPI [0-9]*, window DPI [0-9]*"; }
wait_for 100 started || { echo "FAIL: no settings line with the DPI in $log"; exit 1; }
if tail -c +"$((before + 1))" "$log" | grep -E "Error|OLE error" ; then
    echo "FAIL: the start from a long folder reported the lines above"
    exit 1
fi
count=$(windows | wc -l)
if [ "$count" -ne 1 ]; then
    echo "FAIL: $count visible windows (a box besides the main window?)"
    exit 1
fi
echo "PASS: started from a folder of ${#program} characters with its window and no box"
