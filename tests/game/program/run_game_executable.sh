#!/usr/bin/env bash
# The game's executable started as scripts/run.sh starts it (scripts/start_game.sh), on
# the test run's X server with a fresh user folder.
#
# The first start shows the introduction comic, which waits for the player before the
# loading window; it is ended once the logos show and leaves the player index behind.
# The next start runs for at least the given seconds and until its log shows that the
# logos and the loading window opened, within the time limit: a loaded machine only
# makes it slower. Its log must hold no error line.
set -u
scripts=$1
build=$2
data_set=$3
seconds=$4
limit=$5

# The data set beside the executable, unless one was built there.
[ -e "$build/game/data" ] || ln -s "$data_set" "$build/game/data"
user=$(mktemp -d)
trap 'rm -rf "$user"' EXIT
export XDG_DATA_HOME=$user PLATFORM_BACKEND=sdl SDL_AUDIODRIVER=dummy PLATFORM_MESSAGE_BOXES=answer \
  PLATFORM_SHELL=record DBUS_SESSION_BUS_ADDRESS=disabled:
log=$user/Dremlock/Morvane/Morvane.html

fail() {
  echo "FAILED: $1"
  [ -f "$log" ] && sed 's/<BR>/\n/g; s/<[^>]*>//g' "$log" | tail -40
  exit 1
}
logged() { grep -q "$1" "$log" 2>/dev/null; }

# Runs the game until the condition holds, it ends by itself or the time limit passes,
# then ends it as a desktop does (it closes its window and saves). False when the game
# ended by itself.
run_until() {
  "$scripts/start_game.sh" "$build" &
  local game=$! start=$SECONDS
  until "$@" || [ $((SECONDS - start)) -ge "$limit" ]; do
    kill -0 "$game" 2>/dev/null || { wait "$game"; return 1; }
    sleep 0.5
  done
  kill "$game" 2>/dev/null
  wait "$game"
  return 0
}

run_until logged "Logos window opened" || fail "the first start ended by itself"
[ -f "$user/Dremlock/Morvane/default/profiles.pmf" ] || fail "the first start wrote no player index"

started=$SECONDS
ran_and_opened() {
  [ $((SECONDS - started)) -ge "$seconds" ] && logged "Logos window opened" && logged "Loading window opened"
}
run_until ran_and_opened || fail "the game ended by itself after $((SECONDS - started)) seconds"
[ $((SECONDS - started)) -ge "$seconds" ] || fail "the game ran less than $seconds seconds"
logged "Logos window opened" || fail "the logos window did not open within $limit seconds"
logged "Loading window opened" || fail "the loading window did not open within $limit seconds"
! grep -q -e "Error: " -e "PROGRAM ABORTING" "$log" || fail "the log holds an error line"
echo "The game ran $((SECONDS - started)) seconds: the logos and the loading window opened, no error."
