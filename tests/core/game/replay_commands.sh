#!/usr/bin/env bash
# Every routine that records itself as a player's command must be one a
# replay can run again, or a recorded game could not be played back.
set -u
src=$(cd "$(dirname "$0")/../../.." && pwd)
cd "$src" || exit 1
recorded=$(grep -rhoE 'recorded_command command\("[A-Za-z_0-9]+"' core items creatures generation persistence |
  sed -E 's/.*\("([^"]+)"/\1/' | sort -u)
[ -n "$recorded" ] || { echo "no recorded commands found"; exit 1; }
table=$(grep -oE '^\s*\{"[A-Za-z_0-9]+",' core/game/replay_play.cpp | sed -E 's/.*"([^"]+)".*/\1/' | sort -u)
missing=$(comm -23 <(echo "$recorded") <(echo "$table"))
if [ -n "$missing" ]; then
  echo "recorded but not in the replay table:"; echo "$missing"; exit 1
fi
echo "all $(echo "$recorded" | wc -l) recorded commands can be replayed"
