#!/usr/bin/env bash
# Starts the game of a build folder as a player does: from the game's own folder, where
# its data and "play.url" lie. The first start is in a window (the options switch to
# full screen): with no settings yet, the settings file says so.
set -euo pipefail
build=${1:?usage: scripts/start_game.sh <build folder>}

data_home=${XDG_DATA_HOME:-}
[[ $data_home == /* ]] || data_home=$HOME/.local/share
settings=$data_home/Dremlock/Morvane
if [ ! -e "$settings/Morvane.ini" ]; then
  mkdir -p "$settings"
  echo "v_fullscreen 0" > "$settings/Morvane.ini"
fi

cd "$build/game"
exec ./morvane
