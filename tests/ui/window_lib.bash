# Shared by the window tests: a private X server, the game started in it, and
# the helpers that wait for the window and press keys the way a player does.
# Usage: source this file, then start_display, then start_game DIR ANSWERS.

# A test that cannot run says so with CTest's skip code instead of passing.
SKIP_CODE=77
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit "$SKIP_CODE"; }
  done
}
need Xvfb xdotool xdpyinfo import convert compare

GAME_PID=""
XVFB_PID=""
WORK=$(mktemp -d)
# GRIM_SCALE=N runs every window test on a window N times as large: the game
# gets --scale N, the screen is N times as large, the pointer's positions
# are multiplied and every shot is brought back to the game's own pixels, so
# the tests keep their coordinates.
GRIM_SCALE=${GRIM_SCALE:-1}
# The options a test that starts the game itself passes on: "${SCALE_ARGS[@]}".
SCALE_ARGS=()
[ "$GRIM_SCALE" -gt 1 ] && SCALE_ARGS=(--scale "$GRIM_SCALE")
if [ "$GRIM_SCALE" -gt 1 ]; then
  xdotool() {
    if [ "$1" = mousemove ] && [ $# -ge 3 ]; then
      local args=("$@") n=$#
      args[n - 2]=$((args[n - 2] * GRIM_SCALE))
      args[n - 1]=$((args[n - 1] * GRIM_SCALE))
      set -- "${args[@]}"
    fi
    command xdotool "$@"
  }
fi

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$WORK/game.out" ] && { echo "--- game output"; cat "$WORK/game.out"; }
  [ -s "$WORK/game.err" ] && { echo "--- game errors"; tail -5 "$WORK/game.err"; }
  exit 1
}

# Starts Xvfb on a display it picks itself (-displayfd), so tests running at
# the same time never share a server.
# An optional argument gives the screen geometry (default 1024x768x24).
start_display() {
  local geometry=${1:-1024x768x24}
  if [ "$GRIM_SCALE" -gt 1 ]; then
    local w=${geometry%%x*} rest=${geometry#*x}
    local h=${rest%%x*} depth=${rest#*x}
    geometry="$((w * GRIM_SCALE))x$((h * GRIM_SCALE))x$depth"
  fi
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    if [ -s "$WORK/display" ]; then
      export DISPLAY=":$(head -n1 "$WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "no X display could be started"
}

# start_game EXECUTABLE ANSWERS [OPTION...]: runs the game with its console
# answers and options.
start_game() {
  printf "$2" | "$1" "${@:3}" "${SCALE_ARGS[@]}" >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
}

wait_window() {
  for _ in $(seq 1 100); do
    WINDOW=$(xdotool search --onlyvisible --name . 2>/dev/null | head -n1)
    [ -n "$WINDOW" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window opened"
    sleep 0.1
  done
  fail "no window appeared"
}

# Distinct colours on the screen: a drawn menu has hundreds, a blank one few.
screen_colours() {
  import -window root "$WORK/shot.png" || fail "no screenshot"
  convert "$WORK/shot.png" -format %k info:
}

# Waits until the screen shows more than a few colours (the menu is drawn).
wait_menu() {
  for _ in $(seq 1 50); do
    colours=$(screen_colours)
    [ "$colours" -gt 200 ] && return 0
    sleep 0.2
  done
  fail "the menu was not drawn (only $colours colours on screen)"
}

hold_key() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
}

# Waits up to $1 seconds for the game to end; sets GAME_STATUS.
wait_exit() {
  local limit=$(($1 * 10))
  for _ in $(seq 1 "$limit"); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      GAME_STATUS=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $1 seconds"
}

# settle [SECONDS]: gives the game time to draw what a key or click changed.
settle() { sleep "${1:-0.6}"; }

# shot NAME: a screenshot of the game's window in $WORK; with KEEP set to a
# folder, a copy is kept there as ${SHOT_PREFIX}NAME.png.
shot() {
  import -window "$WINDOW" "$WORK/$1.png" 2>/dev/null || fail "no screenshot $1"
  if [ "$GRIM_SCALE" -gt 1 ]; then
    local size
    size=$(identify -format "%w %h" "$WORK/$1.png") || fail "no size for shot $1"
    mogrify -sample "$((${size% *} / GRIM_SCALE))x$((${size#* } / GRIM_SCALE))!" "$WORK/$1.png" ||
      fail "cannot bring shot $1 to the game's size"
  fi
  [ -n "${KEEP:-}" ] && cp "$WORK/$1.png" "$KEEP/${SHOT_PREFIX:-}$1.png"
  return 0
}

# colours SHOT GEOMETRY: distinct colours inside a region of a shot.
colours() { convert "$WORK/$1.png" -crop "$2" +repage -format %k info:; }

# changed SHOT_A SHOT_B GEOMETRY: pixels that differ between two shots inside
# a region.
changed() {
  convert "$WORK/$1.png" -crop "$3" +repage "$WORK/a.png"
  convert "$WORK/$2.png" -crop "$3" +repage "$WORK/b.png"
  compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1
}

# new_game_by_keys NAME DIFFICULTY_KEY: from the drawn main menu to the map,
# with keys only: 1, the leader's name typed, Return, the difficulty, then the
# backstory, which waits for the space bar, maybe on more than one page.
new_game_by_keys() {
  wait_menu
  hold_key 1
  settle
  xdotool type --delay 120 "$1"
  hold_key Return
  settle
  hold_key "$2"
  for _ in 1 2 3; do
    settle 1
    hold_key space
  done
  settle 1
}

# leave_game_by_keys: Escape, then Y to the question it asks.
leave_game_by_keys() {
  hold_key Escape
  settle
  hold_key y
}

# leave_to_menu_and_quit [SECONDS]: Escape and Y back to the main menu, 3 to
# quit; the game must end within SECONDS (default 15) with status 0.
leave_to_menu_and_quit() {
  leave_game_by_keys
  wait_menu
  hold_key 3
  wait_exit "${1:-15}"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
}

# leave_to_menu_and_quit_retrying: Escape, then 3 to quit, tried again when a
# key press is lost on a busy machine; the game must end with status 0.
leave_to_menu_and_quit_retrying() {
  for _ in 1 2 3; do
    leave_game_by_keys
    settle 1.5
    hold_key 3
    for _ in $(seq 1 40); do
      kill -0 "$GAME_PID" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  wait_exit 10
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
}

# The arguments most window tests take: BUILD [RESOLUTION 1|2|3] [FOLDER to
# keep the shots in]; sets BUILD, RES, KEEP, W and H.
window_test_args() {
  BUILD=$(cd "${1:?build folder}" && pwd)
  RES=${2:-1}
  KEEP=${3:-}
  window_size "$RES"
}

# window_size RES: W and H of the game's resolution answer (1 800x600,
# 2 1024x768, 3 1280x720); anything else is taken as 1, and RES says so.
window_size() {
  case "$1" in
    2) W=1024 H=768 ;;
    3) W=1280 H=720 ;;
    *) RES=1 W=800 H=600 ;;
  esac
}
