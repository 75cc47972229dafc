#!/usr/bin/env bash
# Installs what ZQ-6 needs, builds everything with the tests and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# ccache hits across checkouts in other folders.
export CCACHE_BASEDIR="$PWD"

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZQ6_BUILD_TESTS=ON -DZQ6_BUILD_BENCHMARKS=ON
cmake --build "$build" --parallel "$(nproc)"
# Editor tests need a display, and each test running at once gets its own, handed out by ctest as
# the "display" resource: a window taking the keyboard focus must not reach into another test.
jobs=$(nproc)
work=$(mktemp -d)
xvfb_pids=()
trap 'kill "${xvfb_pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
for i in $(seq "$jobs"); do
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display-$i" >/dev/null 2>&1 &
    xvfb_pids+=("$!")
done
ids=()
for i in $(seq "$jobs"); do
    for _ in $(seq 100); do
        [ -s "$work/display-$i" ] && break
        sleep 0.1
    done
    [ -s "$work/display-$i" ] || { echo "Xvfb did not start" >&2; exit 1; }
    ids+=("{\"id\": \"$(tr -d '[:space:]' < "$work/display-$i")\", \"slots\": 1}")
done
(IFS=,; echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"display\": [${ids[*]}]}]}") > "$work/resources.json"

DISPLAY=":$(tr -d '[:space:]' < "$work/display-1")" ctest --test-dir "$build" --output-on-failure \
    --parallel "$jobs" --resource-spec-file "$work/resources.json"
