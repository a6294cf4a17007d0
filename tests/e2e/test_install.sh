#!/usr/bin/env bash
# The installed program: `cmake --install` into a fresh prefix gives a valid
# desktop entry, AppStream file and icons; a user who cannot write to the
# prefix runs it, and End keeps the settings in that user's config folder
# and the labels in the data folder. $MORNA_BUILD_DIR is the build to install.
source "$(dirname "$0")/lib.sh"

[ -d "${MORNA_BUILD_DIR:-}" ] || fail "MORNA_BUILD_DIR does not name the build folder"
for tool in desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done

ID=io.github.moranote.Moranote
PREFIX="$WORK/prefix"
cmake --install "$MORNA_BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  { cat "$WORK/install.log" >&2; fail "cmake --install failed"; }

DESKTOP="$PREFIX/share/applications/$ID.desktop"
METAINFO="$PREFIX/share/metainfo/$ID.metainfo.xml"
[ -x "$PREFIX/bin/Morna" ] || fail "no program in $PREFIX/bin"
# The sound module, loaded at the first alarm from the library folder.
[ -n "$(find "$PREFIX/lib" -path '*/moranote/libmorna_sound.so')" ] ||
  fail "no sound module under $PREFIX/lib"
# The calendar server module beside it, loaded only when sync is on.
[ -n "$(find "$PREFIX/lib" -path '*/moranote/libmorna_caldav.so')" ] ||
  fail "no calendar server module under $PREFIX/lib"
# The calendar module, loaded at the first import, export or sync.
[ -n "$(find "$PREFIX/lib" -path '*/moranote/libmorna_icalendar.so')" ] ||
  fail "no calendar module under $PREFIX/lib"
grep -qx 'Exec=Morna' "$DESKTOP" || fail "the desktop entry does not start Morna"
desktop-file-validate "$DESKTOP" || fail "desktop-file-validate refused $DESKTOP"
appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli refused $METAINFO"
# The tree as a whole: the AppStream file finds its desktop entry and icon.
appstreamcli validate-tree --no-net "$PREFIX" || fail "appstreamcli refused the installed tree"
for size in 16 24 32 48 64 128 256; do
  png="$PREFIX/share/icons/hicolor/${size}x$size/apps/$ID.png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x$size" ] || fail "icon $png"
done
grep -q '<svg' "$PREFIX/share/icons/hicolor/scalable/apps/$ID.svg" || fail "no scalable icon"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/Morna" --version) ||
  fail "--version failed"
[[ "$version" =~ ^Moranote\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"

# --- A user who cannot write to the prefix.
if [ "$(id -u)" -ne 0 ] || ! id nobody >/dev/null 2>&1 || ! command -v runuser >/dev/null; then
  echo "SKIP: running the installed program as another user needs root, runuser and the user nobody"
  exit 77
fi
USER_HOME="$WORK/home"
mkdir -p "$USER_HOME"
chown nobody "$USER_HOME"
chmod 755 "$WORK"
runuser -u nobody -- test -w "$PREFIX/bin" && fail "nobody can write to $PREFIX/bin"

# Without XDG_RUNTIME_DIR the toolkit makes /tmp/runtime-nobody; it goes
# again at the end unless it was there before.
RUNTIME_DIR=/tmp/runtime-nobody
[ -e "$RUNTIME_DIR" ] && RUNTIME_DIR=""

start_display
# Started from its home folder, where a relative data file name would have
# landed before; without any XDG_ variable, so the desktop's defaults apply.
(cd "$USER_HOME" && exec runuser -u nobody -- env -i HOME="$USER_HOME" DISPLAY="$DISPLAY" \
   QT_QPA_PLATFORM=xcb ASAN_OPTIONS="$ASAN_OPTIONS" PATH=/usr/bin:/bin \
   "$PREFIX/bin/Morna" >"$WORK/morna.log" 2>&1) &
MORNA_PID=$!
PIDS+=("$MORNA_PID")
read -r wid x y w h _ < <(wait_window Moranote)
[ "$w" -eq 322 ] || fail "expected the registration window, found a window ${w}x$h"
[ -d "$USER_HOME/.config/Moranote" ] && [ -d "$USER_HOME/.local/share/Moranote" ] ||
  fail "the user's folders were not made"

# End: the button at client 267,106 (50 x 16).
click_at $((x + 292)) $((y + 114))
wait_exit "$MORNA_PID"
INI_USER="$USER_HOME/.config/Moranote/Morna.ini"
DAT_USER="$USER_HOME/.local/share/Moranote/Dpstitdt.dat"
[ -f "$INI_USER" ] || { cat "$WORK/morna.log" >&2; fail "End wrote no settings file in the config folder"; }
grep -a -q '^FileName=Dpstitdt.dat' "$INI_USER" || fail "unexpected settings: $(head -c 300 "$INI_USER")"
[ -f "$DAT_USER" ] || fail "End wrote no data file in the data folder"
[ "$(stat -c %U "$INI_USER" "$DAT_USER" | sort -u)" = nobody ] || fail "files not owned by the user"
[ ! -e "$USER_HOME/Dpstitdt.dat" ] || fail "the data file was written in the current folder"
[ ! -e "$PREFIX/bin/Morna.ini" ] || fail "a settings file appeared beside the installed program"
# The installed program finds its calendar module: an export through it.
runuser -u nobody -- env -i HOME="$USER_HOME" ASAN_OPTIONS="$ASAN_OPTIONS" PATH=/usr/bin:/bin \
  "$PREFIX/bin/Morna" --export "$USER_HOME/labels.ics" >"$WORK/export.log" 2>&1 ||
  { cat "$WORK/export.log" >&2; fail "--export with the installed program failed"; }
grep -q '^BEGIN:VCALENDAR' "$USER_HOME/labels.ics" || fail "the export wrote no calendar"
[ -z "$RUNTIME_DIR" ] || rm -rf "$RUNTIME_DIR"
echo "PASS"
