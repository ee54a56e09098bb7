#!/bin/bash
# Runs inside a bare Debian system (scripts/package --install-test makes it with
# mmdebstrap): installs the package with apt, without its recommendations, so that its
# Depends alone must carry it, runs both programs, then removes and purges it and fails
# on any file it left behind.
#
#   bare_system_test.sh PACKAGE.deb
set -euo pipefail

deb="$1"
scratch=/tmp/lcdkonfig-test
say() { echo "install-test: $*" >&2; }
fail() { say "FAILED: $*"; exit 1; }
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt_get() { apt-get -y -q -o APT::Install-Recommends=false -o Dpkg::Use-Pty=0 "$@"; }

# Every file of the system, but not the test's own scratch folder, the package
# manager's own records and logs, nor fontconfig's cache of the system's fonts (the
# programs run as root here, and fontconfig then refreshes it; its own purge removes it).
snapshot() {
  find / -xdev \( -path /tmp -o -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/cache/apt \
      -o -path /var/log -o -path /var/cache/debconf -o -path /var/cache/ldconfig \
      -o -path /var/cache/fontconfig \) -prune \
      -o -print | LC_ALL=C sort
}

# The dependencies first, as apt resolves them from the package's own fields, so that
# the snapshot between the two steps holds everything but the package itself.
depends="$(dpkg-deb -f "$deb" Depends)"
[ -n "$depends" ] || fail "the package has no Depends"
apt_get update >/dev/null
apt_get satisfy "$depends" >/dev/null || apt_get satisfy "$depends" >/dev/null \
  || fail "apt could not install the package's dependencies: $depends"
snapshot >/tmp/before.txt
apt_get install "$deb" >/tmp/apt-install.log 2>&1 || { cat /tmp/apt-install.log >&2; fail "apt could not install $deb"; }
if grep -E '^(Inst|Setting up) ' /tmp/apt-install.log | grep -v ' lcdkonfig ' | grep -q .; then
  grep -E '^Setting up ' /tmp/apt-install.log >&2
  fail "installing the package brought more than its Depends"
fi
say "installed $(dpkg-query -W -f='${Package} ${Version} ${Architecture}, ${Installed-Size} KiB' lcdkonfig)"

# The programs run as a user would: a home and a working folder of their own.
mkdir -p "$scratch/home" "$scratch/run"
cd "$scratch/run"
export HOME="$scratch/home"

lcdkonfig-cli --version >"$scratch/out.txt" 2>&1 || { cat "$scratch/out.txt" >&2; fail "lcdkonfig-cli --version"; }
say "lcdkonfig-cli --version: $(head -n 1 "$scratch/out.txt")"
lcdkonfig-cli check /usr/share/doc/lcdkonfig/examples/sample_firmware.mot >"$scratch/out.txt" 2>&1 \
  || { cat "$scratch/out.txt" >&2; fail "lcdkonfig-cli check refused the shipped firmware sample"; }
say "lcdkonfig-cli check: the shipped firmware sample is accepted"
LCDKONFIG_VIRTUAL_BOARD=1 lcdkonfig-cli -p virtuell read -o "$scratch/board.lcd" >"$scratch/out.txt" 2>&1 \
  || { cat "$scratch/out.txt" >&2; fail "lcdkonfig-cli -p virtuell read"; }
[ "$(grep -c . "$scratch/board.lcd")" -ge 120 ] || fail "the read set has not the board's values"
say "lcdkonfig-cli -p virtuell read: $(wc -c <"$scratch/board.lcd") bytes from the virtual board"

# run_window PLATFORM: the window on a Qt platform until its first timer tick has
# searched the ports and opened the virtual board's (seen in the wire trace), then sent
# SIGTERM, which closes it as its close box does: the port closed, status 0. Qt warns on
# standard error when a font or a plugin is missing.
run_window() {
  local platform="$1" log="$scratch/window-$1.log" trace="$scratch/trace-$1.txt" window status
  LCDKONFIG_VIRTUAL_BOARD=1 LCDKONFIG_TRACE="$trace" QT_QPA_PLATFORM="$platform" \
    lcdkonfig >"$log" 2>&1 &
  window=$!
  for _ in $(seq 300); do
    grep -Eq '^ *[0-9]+\.[0-9]+ open ' "$trace" 2>/dev/null && break
    kill -0 "$window" 2>/dev/null || break
    sleep 0.1
  done
  if ! grep -Eq '^ *[0-9]+\.[0-9]+ open ' "$trace" 2>/dev/null; then
    kill -KILL "$window" 2>/dev/null || true
    cat "$log" >&2
    fail "the window ($platform) did not reach its first timer tick within 30 s"
  fi
  sleep 0.5
  kill -0 "$window" 2>/dev/null || { cat "$log" >&2; fail "the window ($platform) ended after the port search"; }
  kill -TERM "$window"
  wait "$window" && status=0 || status=$?
  [ "$status" -eq 0 ] || { cat "$log" >&2; fail "the window ($platform) ended with status $status instead of closing on SIGTERM"; }
  grep -Eq '^.* close ' "$trace" || { cat "$log" >&2; fail "the window ($platform) did not close its port on SIGTERM"; }
  if grep -Eqi 'QFontDatabase|cannot find font|cannot load library|could not load the Qt platform plugin' "$log"; then
    cat "$log" >&2
    fail "the window ($platform) misses a font or a plugin"
  fi
  say "lcdkonfig ($platform): ran until its port search ($(grep -Eo 'open .*' "$trace" | head -n 1))"
}
run_window offscreen

# The X11 platform a desktop uses: on the X server scripts/package started outside
# (DISPLAY reaches it through its abstract socket), else only the loading of the xcb
# plugin and its libraries, which then stops for want of a display.
if [ -n "${DISPLAY:-}" ]; then
  run_window xcb
else
  QT_DEBUG_PLUGINS=1 QT_QPA_PLATFORM=xcb DISPLAY=:99 timeout 20 lcdkonfig >"$scratch/xcb.log" 2>&1 || true
  if ! grep -q 'could not connect to display' "$scratch/xcb.log" || grep -qi 'cannot load library' "$scratch/xcb.log"; then
    cat "$scratch/xcb.log" >&2
    fail "the xcb platform plugin does not load"
  fi
  say "lcdkonfig (xcb): the platform plugin and its libraries load (no X server)"
fi

cd /
rm -rf "$scratch"
apt_get remove lcdkonfig >/dev/null || fail "apt could not remove the package"
apt_get purge lcdkonfig >/dev/null || fail "apt could not purge the package"
dpkg-query -W lcdkonfig >/dev/null 2>&1 && fail "the package is still known to dpkg after the purge"
snapshot >/tmp/after.txt
left="$(comm -13 /tmp/before.txt /tmp/after.txt)"
if [ -n "$left" ]; then
  echo "$left" >&2
  fail "removing and purging the package left these files behind"
fi
say "removed and purged: no file left behind"
