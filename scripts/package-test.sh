#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it with apt-get, starts the
# installed programs offscreen from /usr/bin, checks the desktop entry and removes the package.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/install-deps.sh
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

# Only the programs: cpack would otherwise build everything of the release build first
# (tests, benchmarks and their data).
cmake --preset release -D CMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build --preset release --target lumora lumora-cli lumora-hotsync lumora-install
rm -f build/release/lumora_*.deb
(cd build/release && cpack -G DEB)
deb=$(ls build/release/lumora_*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libsqlite3-0 libsodium23 libical3 qt6-translations-l10n; do
  [[ "$depends" == *"$needed"* ]] || { echo "the package does not depend on $needed" >&2; exit 1; }
done

remove_package() {
  if [ "$(dpkg-query -W -f='${Status}' lumora 2>/dev/null)" = "install ok installed" ]; then
    $SUDO apt-get remove -y -qq lumora >/dev/null
  fi
}
# A package of the same version left by an earlier run would make apt-get keep its files.
remove_package
work=$(mktemp -d)
trap 'remove_package; rm -rf "$work"' EXIT
# The dependencies are there from install-deps.sh, so this needs no download; recommended
# packages stay out for the same reason.
if ! $SUDO apt-get install -y -qq --no-install-recommends "./$deb" >"$work/apt.log" 2>&1; then
  cat "$work/apt.log" >&2
  exit 1
fi

# The installed programs run on their own: no build or source tree, a home of their own.
export HOME=$work/home LUMORA_DATA_DIR=$work/data LUMORA_CONFIG_DIR=$work/config
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 0700 "$XDG_RUNTIME_DIR"
cd "$work"
help=$(/usr/bin/lumora-cli --help)
[[ "$help" == *agenda* ]] || { echo "lumora-cli --help: $help" >&2; exit 1; }
/usr/bin/lumora-cli demo >/dev/null

/usr/bin/lumora >"$work/lumora.log" 2>&1 &
pid=$!
# Up once it listens for a second start; the main window follows.
for _ in $(seq 1 60); do
  [ -n "$(find "$XDG_RUNTIME_DIR" -type s 2>/dev/null)" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  cat "$work/lumora.log" >&2
  echo "lumora ended at start-up" >&2
  exit 1
fi
kill -TERM "$pid"
for _ in $(seq 1 60); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -KILL "$pid" 2>/dev/null && echo "lumora did not end on SIGTERM" >&2
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/lumora.log" >&2
  echo "lumora ended with status $status" >&2
  exit 1
fi
# Closing the main window writes its placement.
grep -q '"WindowPosLeft"' "$LUMORA_CONFIG_DIR/Lumora.reg" || { echo "lumora wrote no window placement" >&2; exit 1; }
echo "lumora started from /usr/bin and ended normally"

desktop-file-validate /usr/share/applications/lumora.desktop
# The icons, the help pages and the Japanese texts of Qt's dialogs (through the dependency).
for file in /usr/share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/lumora.png \
  /usr/share/icons/hicolor/scalable/apps/lumora.svg /usr/share/lumora/help/index.html \
  /usr/share/qt6/translations/qtbase_ja.qm; do
  [ -f "$file" ] || { echo "$file is missing" >&2; exit 1; }
done

$SUDO apt-get remove -y -qq lumora >/dev/null
if [ -e /usr/bin/lumora ]; then
  echo "/usr/bin/lumora is still there after the removal" >&2
  exit 1
fi
echo "package test passed in $((SECONDS - start)) s"
