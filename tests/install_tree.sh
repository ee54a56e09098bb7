#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and runs the
# installed programs from there:
#   - the tree holds what the desktop, man and udev look for, in the project's version;
#   - lcdkonfig, on the offscreen platform with the virtual board, lives through its
#     first timer tick (which runs the port search: the wire trace shows the port being
#     opened) and is then sent SIGTERM, which closes its window: the port is closed
#     (the trace shows it) and the program ends with status 0;
#   - lcdkonfig-cli, when the build has it, answers --version and checks the installed
#     firmware sample.
# The programs have no RUNPATH: their libraries are the system's. A headless build
# (no window) leaves out the window's files and its run.
#
#   install_tree.sh BUILD_DIR SOURCE_DIR VERSION CLI_BUILT(0|1) WINDOW_BUILT(0|1)
set -euo pipefail

build="$1"
source="$2"
version="$3"
cli_built="$4"
window_built="${5:-1}"

work="$(mktemp -d)"
program_pid=""
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill -KILL "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "install_tree: $*" >&2
  if [ -s "$work/program.log" ]; then
    echo "install_tree: the program wrote:" >&2
    cat "$work/program.log" >&2
  fi
  exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
  || { cat "$work/install.log" >&2; fail "cmake --install failed"; }

# ---- the tree ---------------------------------------------------------------------------
doc="$prefix/share/doc/lcdkonfig"
files=(lib/udev/rules.d/60-lcdkonfig.rules share/doc/lcdkonfig/README.md.gz
  share/doc/lcdkonfig/LICENSE share/doc/lcdkonfig/copyright
  share/doc/lcdkonfig/changelog.Debian.gz share/lintian/overrides/lcdkonfig)
window_files=(bin/lcdkonfig share/applications/lcdkonfig.desktop
  share/metainfo/lcdkonfig.metainfo.xml share/icons/hicolor/scalable/apps/lcdkonfig.svg
  share/man/man1/lcdkonfig.1.gz)
if [ "$window_built" = "1" ]; then
  files+=("${window_files[@]}")
else
  for file in "${window_files[@]}"; do
    [ ! -e "$prefix/$file" ] || fail "the headless build installed $file"
  done
fi
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || fail "the installed tree lacks $file"
done
[ ! -e "$doc/README.md" ] || fail "the README is installed uncompressed as well"
gzip -t "$doc/README.md.gz" || fail "README.md.gz is no intact gzip file"
for program in "$prefix"/bin/*; do
  [ -x "$program" ] || fail "bin/$(basename "$program") is not executable"
  if readelf -d "$program" | grep -qE 'R(UN)?PATH'; then
    fail "bin/$(basename "$program") has a RUNPATH: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
  fi
done
cmp -s "$source/udev/60-lcdkonfig.rules" "$prefix/lib/udev/rules.d/60-lcdkonfig.rules" \
  || fail "the installed udev rule differs from udev/60-lcdkonfig.rules"
cmp -s "$source/samples/sample_firmware.mot" "$doc/examples/sample_firmware.mot" \
  || fail "the installed firmware sample differs from samples/sample_firmware.mot"

if [ "$window_built" = "1" ]; then
  # The menu entry starts the installed program by name and shows the installed icon.
  desktop="$prefix/share/applications/lcdkonfig.desktop"
  for line in 'Exec=lcdkonfig' 'Icon=lcdkonfig' 'Name=LCD Konfiguration' \
      'Name[de]=LCD Konfiguration' 'Categories=HamRadio;Utility;'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks the line $line"
  done
  grep -q '^Comment=' "$desktop" && grep -q '^Comment\[de\]=' "$desktop" \
    || fail "the desktop entry lacks the English or German comment"
  grep -qF '<launchable type="desktop-id">lcdkonfig.desktop</launchable>' \
    "$prefix/share/metainfo/lcdkonfig.metainfo.xml" \
    || fail "the metainfo does not name the desktop entry"

  # Every PNG has the size its folder names (a desktop skips one that does not), and the
  # sizes menus and docks ask for are there.
  png_size() { od -An -v -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*2^24 + $2*2^16 + $3*2^8 + $4, $5*2^24 + $6*2^16 + $7*2^8 + $8 }'; }
  for n in 16 32 48 64 128 256; do
    [ -s "$prefix/share/icons/hicolor/${n}x$n/apps/lcdkonfig.png" ] || fail "no ${n}x$n icon"
  done
  for png in "$prefix"/share/icons/hicolor/*/apps/lcdkonfig.png; do
    folder="$(basename "$(dirname "$(dirname "$png")")")"
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "$folder/apps/lcdkonfig.png is no PNG"
    [ "$(png_size "$png")" = "$folder" ] || fail "$folder/apps/lcdkonfig.png is $(png_size "$png")"
  done

  # Man pages: compressed, whole, one per program.
  for page in "$prefix"/share/man/man1/*.1.gz; do
    gzip -t "$page" || fail "$page is no intact gzip file"
    name="$(basename "$page" .1.gz)"
    [ -x "$prefix/bin/$name" ] || fail "man page $name.1 has no program bin/$name"
    title="$(zcat "$page" | awk '/^\.TH / { print $2, $3; exit }' | sed 's/\\-/-/g' | tr 'A-Z' 'a-z')"
    [ "$title" = "$name 1" ] || fail "$name.1 is titled '$title', not as page 1 of $name"
  done

  # The version the project builds is the one the package material names.
  zcat "$doc/changelog.Debian.gz" | head -n 1 | grep -qF "lcdkonfig ($version-" \
    || fail "the newest changelog entry is not for version $version"
  grep -qF "<release version=\"$version\"" "$prefix/share/metainfo/lcdkonfig.metainfo.xml" \
    || fail "the metainfo has no release $version"
  zcat "$prefix/share/man/man1/lcdkonfig.1.gz" | grep -q "^\.TH .*\"lcdkonfig $version\"" \
    || fail "the man page is not for version $version"
fi

# The README's pictures come along.
for picture in $(zcat "$doc/README.md.gz" | grep -o 'docs/[a-z0-9-]*\.png' | sort -u); do
  [ -s "$doc/$picture" ] || fail "the installed README shows $picture, which was not installed"
done

# ---- the window program --------------------------------------------------------------
if [ "$window_built" = "1" ]; then
  mkdir "$work/run"
  cd "$work/run"  # the program reads and writes its settings in the working folder
  QT_QPA_PLATFORM=offscreen LCDKONFIG_VIRTUAL_BOARD=1 LCDKONFIG_TRACE="$work/trace.txt" \
    "$prefix/bin/lcdkonfig" >"$work/program.log" 2>&1 &
  program_pid=$!

  # The first timer tick comes a second after the start; a loaded machine may take longer
  # to get there, so this waits up to 20 s for the trace to show the opened port.
  port_opened() { grep -Eq '^ *[0-9]+\.[0-9]+ open ' "$work/trace.txt" 2>/dev/null; }
  for _ in $(seq 200); do
    port_opened && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! port_opened; then
    if kill -0 "$program_pid" 2>/dev/null; then
      fail "the installed lcdkonfig did not open a port within 20 s"
    fi
    wait "$program_pid" && status=0 || status=$?
    program_pid=""
    fail "the installed lcdkonfig ended with status $status before its first timer tick"
  fi
  # What follows the search (the tone) must not end it either.
  sleep 0.5
  kill -0 "$program_pid" 2>/dev/null || fail "the installed lcdkonfig ended right after the port search"
  kill -TERM "$program_pid"
  wait "$program_pid" && status=0 || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the installed lcdkonfig ended with status $status instead of closing on SIGTERM"
  grep -Eq '^.* close ' "$work/trace.txt" || fail "the installed lcdkonfig did not close its port on SIGTERM"
  echo "install_tree: the installed lcdkonfig ran until its port search ($(grep -Eo 'open .*' "$work/trace.txt" | head -n 1))"
else
  echo "install_tree: SKIPPED the window's checks: a headless build"
fi

# ---- the command-line program ------------------------------------------------------------
if [ "$cli_built" = "1" ]; then
  [ -x "$prefix/bin/lcdkonfig-cli" ] || fail "lcdkonfig-cli was built but not installed"
  [ -s "$prefix/share/man/man1/lcdkonfig-cli.1.gz" ] || fail "lcdkonfig-cli has no man page"
  "$prefix/bin/lcdkonfig-cli" --version >"$work/cli.txt" 2>&1 \
    || { cat "$work/cli.txt" >&2; fail "lcdkonfig-cli --version failed"; }
  grep -qF "$version" "$work/cli.txt" || { cat "$work/cli.txt" >&2; fail "lcdkonfig-cli --version does not say $version"; }
  "$prefix/bin/lcdkonfig-cli" check "$doc/examples/sample_firmware.mot" >"$work/cli.txt" 2>&1 \
    || { cat "$work/cli.txt" >&2; fail "lcdkonfig-cli check refused the firmware sample"; }
  echo "install_tree: the installed lcdkonfig-cli answered --version and checked the sample"
else
  echo "install_tree: SKIPPED the lcdkonfig-cli checks: this build has no lcdkonfig-cli target"
fi
echo "install_tree: passed"
