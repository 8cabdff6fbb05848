# Sourced by the black-box shell tests: the project's Wine settings, a warm prefix, xdotool, and a
# poll for a condition.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
wine_warm_up
command -v xdotool >/dev/null || { echo "xdotool missing"; exit 1; }

# Polls a command (0.1 s apart) until it succeeds, at most $1 tries.
wait_for() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
