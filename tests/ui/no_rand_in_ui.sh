#!/usr/bin/env bash
# Every random draw belongs to the rules, so a seeded game takes the same
# course whichever front end draws it: no file of ui/ may call rand().
# Seeding the generator (srand) at start-up is the front end's to do.
set -u
src=$(cd "$(dirname "$0")/../.." && pwd)

# Prints every rand() call under folder $1, comments left out; fails when
# there is one.
find_rand_calls() {
  grep -rnE --include='*.cpp' --include='*.h' '(^|[^A-Za-z0-9_])rand[[:space:]]*\(' "$1" |
    grep -vE '^[^:]*:[0-9]+:[[:space:]]*//' |
    grep -vE '^[^:]*:[0-9]+:[^"]*//.*rand' && return 1
  return 0
}

# The check must be able to fail: a front end file with one draw.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'int angle() { return (std::rand() %% 4) * 64; }\nvoid seed() { srand(1); }\n' \
  > "$probe/probe_allegro.cpp"
if find_rand_calls "$probe" > /dev/null; then echo "the rand() check missed a draw"; exit 1; fi
printf 'void seed() { std::srand(1); }\n// rand() is the rules'"'"' to call\n' > "$probe/probe_allegro.cpp"
if ! find_rand_calls "$probe" > /dev/null; then echo "the rand() check took srand for a draw"; exit 1; fi

if ! find_rand_calls "$src/ui"; then echo "ui/ calls rand(): the draw belongs to the rules"; exit 1; fi
echo "ui/ draws no random numbers"
