#!/usr/bin/env bash
# Builds the Debian package of the game from a clean copy of the source tree
# (so the build folders here stay out of it) and leaves the .deb in
# build-deb/. Runs lintian on it when lintian is installed.
# Usage: build-deb.sh [nocheck]   (nocheck skips the unit tests of the build)
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-deb
version=$(dpkg-parsechangelog -S Version)
src="$out/grimhollow-$version"
rm -rf "$out"
mkdir -p "$src"
tar --exclude='./build' --exclude='./build-*' --exclude='./.git' -cf - . | tar -xf - -C "$src"

options="parallel=$(nproc 2>/dev/null || echo 2) ${DEB_BUILD_OPTIONS:-}"
profiles=""
if [ "${1:-}" = nocheck ]; then
  options="$options nocheck"
  profiles="nocheck"
fi
echo "Building the package grimhollow $version (log in $out/build.log)"
if ! (cd "$src" && DEB_BUILD_OPTIONS="$options" DEB_BUILD_PROFILES="$profiles" \
  dpkg-buildpackage -b -us -uc) >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log"
  echo "The package did not build; the whole log is in $out/build.log"
  exit 1
fi
rm -rf "$src"
deb=$(ls "$out"/grimhollow_"$version"_*.deb)
echo "Built $deb"
if command -v lintian >/dev/null 2>&1; then
  echo "lintian:"
  lintian --info "$out"/*.changes | sed 's/^/  /' || true
fi
