#!/usr/bin/env bash
# Builds the test programs and the plug-in bundles under ThreadSanitizer (debug, so JUCE's
# assertions and leak detector are live too) and runs the checks that share values between threads.
# Not part of .ci/run: the sanitized JUCE build alone takes longer than the whole CI budget allows.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR=$PWD
export TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1 suppressions=$PWD/tests/tsan-suppressions.txt ${TSAN_OPTIONS:-}"

cmake --preset tsan
cmake --build build/tsan -j"${JOBS:-2}" --target zq6-tests zq6-host-tests

log=build/tsan/tsan-report.txt
: > "$log"
xvfb-run -a build/tsan/tests/zq6-tests --gtest_filter='ThreadSafety.*:History.Gesture*Thread*:WatchedParameters.*' 2>&1 | tee -a "$log"
xvfb-run -a build/tsan/tests/host/zq6-host-tests_artefacts/Debug/zq6-host-tests \
    --gtest_filter='*ParametersAndStateFromOtherThreadsWhileProcessing*:*EditorOpensResizesAndCloses*' 2>&1 | tee -a "$log"

races=$(grep -c "WARNING: ThreadSanitizer" "$log" || true)
leaks=$(grep -c "Leaked objects detected" "$log" || true)
echo "ThreadSanitizer reports: $races; JUCE leak reports: $leaks (full log: $log)"
[ "$races" -eq 0 ] && [ "$leaks" -eq 0 ]
