#!/usr/bin/env bash
# Runs install_tests.exe (the installer's black-box tests) under Wine in a prefix of its own, made
# fresh for this run and removed afterwards, so that every install lands on a user who never had the
# program. Needs a display ($DISPLAY), as every Wine test here.
#   run-install-tests.sh <build dir> <setup.exe> [gtest arguments...]
set -uo pipefail
build=$1
setup=$2
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)

export VELMORA_WINEPREFIX=$build/install-wineprefix
source "$root/scripts/wine-env"

# Only this prefix's server (WINEPREFIX points at it).
stop_prefix() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
}
stop_prefix  # what an interrupted run left
trap stop_prefix EXIT

if [ ! -f "$setup" ]; then
    echo "run-install-tests: no installer at $setup" >&2
    exit 1
fi
start=$SECONDS
wine_warm_up
wine_set_managed N
echo "run-install-tests: fresh Wine prefix $WINEPREFIX in $((SECONDS - start)) s"

# Wine shows the Linux root as drive Z:.
export VELMORA_SETUP_EXE="Z:${setup//\//\\}"
"$root/scripts/wine-exec" "$build/bin/install_tests.exe" "$@"
