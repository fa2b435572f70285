#!/usr/bin/env bash
# Installs the Debian packages a make target needs, when any is missing, and
# says first what it will install and why. Recommended packages are left out;
# apt's errors come through, its progress lines go to a log.
# Usage: install-deps.sh play|test|deb|deb-test
set -euo pipefail
need=${1:-test}

# Each group: why it is needed, then its packages.
build_why="to build the game"
build=(g++ cmake make pkg-config liballegro4-dev libfreetype-dev fonts-liberation libgtest-dev)
window_why="for the tests that run the game in a window of its own"
window=(xvfb x11-xkb-utils x11-utils xdotool imagemagick)
fuzz_why="for the save fuzzer (clang with libFuzzer)"
fuzz=(clang libclang-rt-14-dev)
deb_why="to build the Debian package"
deb=(debhelper dpkg-dev fakeroot)

case "$need" in
  play) groups=(build) ;;
  test) groups=(build window fuzz) ;;
  deb) groups=(build deb) ;;
  deb-test) groups=(build window deb) ;;
  *)
    echo "install-deps.sh: unknown target '$need' (play, test, deb or deb-test)" >&2
    exit 2
    ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! command -v apt-get >/dev/null 2>&1; then
  echo "No apt-get here: install the equivalents of these Debian packages by hand:"
  for g in "${groups[@]}"; do
    declare -n list=$g
    echo "  ${list[*]}"
  done
  exit 0
fi

missing=()
for g in "${groups[@]}"; do
  declare -n list=$g
  declare -n why=${g}_why
  lack=()
  for p in "${list[@]}"; do installed "$p" || lack+=("$p"); done
  if [ ${#lack[@]} -gt 0 ]; then
    [ ${#missing[@]} -eq 0 ] && echo "Installing the Debian packages that are missing:"
    echo "  $why: ${lack[*]}"
    missing+=("${lack[@]}")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "  (with what they depend on; a few minutes on a bare system)"

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || {
    echo "Run this as root, or install sudo: apt-get install ${missing[*]}" >&2
    exit 1
  }
  sudo=(sudo)
fi
log=$(mktemp /tmp/grimhollow-apt.XXXXXX)
# sudo resets the environment, so the front end is given on its command line.
# dpkg's own progress goes to the log; apt's and dpkg's errors to the screen,
# less debconf's note that it cannot ask questions (nothing here asks any).
quiet_errors() { grep -v -e '^debconf: ' -e '^dpkg-preconfigure: ' >&2 || true; }
run_apt() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q -o Dpkg::Use-Pty=0 "$@" \
    >>"$log" 2> >(quiet_errors)
}
if ! run_apt update || ! run_apt install -y --no-install-recommends "${missing[@]}" </dev/null; then
  echo "apt-get failed; its whole output is in $log" >&2
  exit 1
fi
count=$(grep -c '^Setting up ' "$log" || true)
echo "Installed $count packages."
rm -f "$log"
