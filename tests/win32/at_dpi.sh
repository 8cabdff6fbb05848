#!/usr/bin/env bash
# Runs the display-scale tests of win32_tests.exe with the Wine prefix's display at one DPI: every
# new process reads HKCU\Control Panel\Desktop LogPixels when it starts. The value goes back to 96
# afterwards, whatever happens, so that the other tests see the display they expect.
# Usage: at_dpi.sh <dpi> <win32_tests.exe>
set -u
dpi=$1
tests=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env"
wine_warm_up
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
VELMORA_TEST_DPI=$dpi "$here/../../scripts/wine-exec" "$tests" --gtest_filter='AtDpi*'
