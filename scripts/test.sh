#!/usr/bin/env bash
# Installs what is missing, builds everything in Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with CTest (drawing tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/debug
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVANE_SANITIZE=ON -DMORVANE_FUZZ=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# SDL asks D-Bus for a session bus that does not exist here; without one it leaks.
export DBUS_SESSION_BUS_ADDRESS=disabled:
# Mesa's shader cache writer thread, still busy when a drawing test ends, can crash the
# leak checker's walk over the threads.
export MESA_SHADER_CACHE_DISABLE=true
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# One X server for the whole run; tests that draw open their windows on it. It never
# resets: a server resetting as its last client leaves drops the next test's connection.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
