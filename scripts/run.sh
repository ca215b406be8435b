#!/usr/bin/env bash
# Installs what is missing, builds the game in Release, builds its data folder and
# starts it in a window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVANE_TESTS=OFF -DMORVANE_BENCH=OFF >/dev/null
cmake --build "$build"
"$build/content/make_data" --quiet "$build/game/data"
exec scripts/start_game.sh "$build"
