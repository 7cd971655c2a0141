#!/usr/bin/env bash
# The Debian package as it installs: both programs (keslog answering --help
# and --version without a display), the desktop entry that opens a
# double-clicked log, and the logs' MIME type, by name and by header.
# $1: the build folder.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/keslog_*.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -f "$deb" Depends | grep -q shared-mime-info || fail "no dependency on shared-mime-info"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/keslog" --version |
  grep -qx "KESLOG 9.0a" || fail "keslog --version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/keslog" --help |
  grep -q "^usage: keslog \[--program-dir DIR\] \[LOG.KSL\]$" || fail "keslog --help"

entry=$root/usr/share/applications/keslog.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate found faults in keslog.desktop"
grep -qx "Exec=keslog %f" "$entry" || fail "the entry does not pass the file to keslog"
grep -qx "MimeType=application/x-keslog-log;" "$entry" || fail "the entry names no log MIME type"

# The database shared-mime-info's trigger makes on installing.
update-mime-database "$root/usr/share/mime" 2>"$work/mime.log" ||
  { cat "$work/mime.log"; fail "update-mime-database refused keslog.xml"; }

# A real log, written by the packaged keslog-cli: a new CQWW log of no QSOs.
cp -r "$root/usr/share/keslog" "$work/program"
: >"$work/keys.txt"
"$root/usr/bin/keslog-cli" --program-dir "$work/program" type --log "$work/K1AR.KSL" \
  --new CQWW --mode CW --location USA --clock "2024-11-30 12:00:00" --keys "$work/keys.txt" \
  >/dev/null || fail "keslog-cli could not write a log"
cp "$work/K1AR.KSL" "$work/K1AR-copy"  # no name to go by
printf '73 de K1AR\n' >"$work/notes.txt"

type_of() {
  XDG_DATA_DIRS="$root/usr/share:/usr/share" XDG_DATA_HOME="$work/nohome" \
    gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}
[ "$(type_of "$work/K1AR.KSL")" = application/x-keslog-log ] || fail "a .KSL log is not known by its name"
[ "$(type_of "$work/K1AR-copy")" = application/x-keslog-log ] || fail "a log is not known by its header"
[ "$(type_of "$work/notes.txt")" != application/x-keslog-log ] || fail "a text file is taken for a log"
echo "package test: passed"
