#!/usr/bin/env bash
# The configured hot key pressed on the keyboard (through the X server) hides the running program.
# Usage: hotkey_keyboard.sh <folder with Velmora.exe>
set -u
bin=$1
source "$(dirname "$0")/blackbox-env.sh"

# Asks an X window to close, as a desktop's close button would (WM_DELETE_WINDOW; Wine turns it into
# the window's close command). xdotool can only destroy windows, so this talks to libX11 directly.
close_x_window() {
    python3 - "$1" <<'PY'
import ctypes, sys
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("message", ClientMessage), ("pad", ctypes.c_long * 24)]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(1)
event = Event()
event.message.type = 33  # ClientMessage
event.message.window = int(sys.argv[1])
event.message.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.message.format = 32
event.message.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
sent = x11.XSendEvent(display, event.message.window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
sys.exit(0 if sent else 1)
PY
}

program=$(mktemp -d)
pid=
window=
running() { kill -0 "$pid" 2>/dev/null; }
stop_program() {
    # Only the process this script started, by its id. A normal close through its own window first
    # (NeverRequire is not set, so the program ends and gives back its hot key and the global atom,
    # which a forced end would leave behind); forced only if it is still there after that.
    [ -n "$pid" ] || return 0
    if [ -n "$window" ] && running; then
        close_x_window "$window"
        wait_for 50 eval '! running'
    fi
    running && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
cleanup() {
    stop_program
    rm -rf "$program"
}
trap cleanup EXIT
cp "$bin/Velmora.exe" "$program/"
# With its skin: a missing skin folder would greet the test with a message box instead.
[ -d "$bin/Skin" ] && cp -r "$bin/Skin" "$program/"
printf '[UserCustom]\r\nHotKey=0,120,120\r\n' >"$program/UserConfig.ini"
# exec: the process started here becomes Velmora.exe's own, so its id is the one to stop.
(cd "$program" && exec wine Velmora.exe </dev/null >/dev/null 2>&1) &
pid=$!

# This program's own window: Wine gives its X windows the process id.
visible_window() {
    xdotool search --onlyvisible --pid "$pid" --name '^Velmora$' 2>/dev/null | head -n 1
}
find_window() { window=$(visible_window); [ -n "$window" ]; }
wait_for 150 find_window || { echo "FAIL: the Velmora window did not appear"; exit 1; }

# Hot keys reach Wine only while one of its windows has the keyboard focus.
xdotool windowfocus --sync "$window"
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
wait_for 50 has_focus || { echo "FAIL: the Velmora window did not get the keyboard focus"; exit 1; }
xdotool key F9
hidden() { [ -z "$(visible_window)" ]; }
if wait_for 50 hidden; then
    echo "PASS: F9 hid the window"
    exit 0
fi
echo "FAIL: F9 did not hide the window"
exit 1
