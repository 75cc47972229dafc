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
# Editor tests need a display.
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
