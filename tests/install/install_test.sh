#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a user
# meets: the installed files, the desktop entry and metadata as the
# validators see them, the per-user program folder on a first and a later
# start, and that the built program keeps running from its own folder.
#
#   install_test.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
app_id=org.zelvora.Zelvora
. "$(dirname "$0")/headless_start.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
data=$prefix/share/zelvora

for file in bin/zelvora \
  share/zelvora/html/einleitung.htm share/zelvora/zeitzonen/weltkarte0.htm share/zelvora/zeitzonen/weltkarteS23.jpg \
  share/zelvora/grafik/lampe-aus.jpg share/zelvora/grafik/hintergrund.jpg share/zelvora/excel/logbuch-kw.xls \
  share/zelvora/TIPOFDAY.TXT share/zelvora/weblinks.ini share/zelvora/zelvora.ini \
  share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$app_id.svg share/man/man1/zelvora.1.gz; do
  [[ -f $prefix/$file ]] || fail "not installed: $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
  file -b "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size x $size PNG icon: $(file -b "$icon")"
done
[[ -z $(find "$prefix" -name pcrsim -o -name '*_tests' -o -name '*.a') ]] || fail "tools or tests were installed"
cmp -s "$data/zelvora.ini" "$(dirname "$0")/../../data/zelvora.ini" || fail "the installed zelvora.ini is not the first one"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "AppStream metadata"

# First start with a fresh home: the per-user folder is made from the data.
home=$work/home
start_zelvora "$home" "$prefix/bin/zelvora" || fail "the installed program's main window did not come up"
user=$home/.local/share/zelvora
[[ -d $user ]] || fail "no per-user program folder $user"
diff -r "$data" "$user" >/dev/null || fail "the per-user folder is not a copy of the data: $(diff -rq "$data" "$user")"

# A later start keeps the user's settings and workbooks and brings back
# what is missing.
printf '[RADIO]\nFrequency=7.1\n' >"$user/zelvora.ini"
cp "$data/excel/logbuch-kw.xls" "$user/excel/eigenes.xls"
printf 'entries' >>"$user/excel/logbuch-kw.xls"
rm "$user/html/einleitung.htm" "$user/zeitzonen/weltkarte0.htm"
start_zelvora "$home" "$prefix/bin/zelvora" || fail "second start"
[[ $(cat "$user/zelvora.ini") == $'[RADIO]\nFrequency=7.1' ]] || fail "the user's zelvora.ini was replaced"
[[ -f $user/excel/eigenes.xls ]] || fail "the user's workbook is gone"
[[ $(tail -c 7 "$user/excel/logbuch-kw.xls") == entries ]] || fail "the user's logbook was replaced"
cmp -s "$data/html/einleitung.htm" "$user/html/einleitung.htm" || fail "a missing page did not come back"
cmp -s "$data/zeitzonen/weltkarte0.htm" "$user/zeitzonen/weltkarte0.htm" || fail "a missing map did not come back"

# XDG_DATA_HOME moves the per-user folder.
start_zelvora "$work/home2" env XDG_DATA_HOME="$work/xdg" "$prefix/bin/zelvora" || fail "start with XDG_DATA_HOME"
[[ -f $work/xdg/zelvora/zelvora.ini && ! -e $work/home2/.local/share/zelvora ]] || fail "XDG_DATA_HOME was not followed"

# The built program stays in its own folder.
start_zelvora "$work/home3" "$build/program/zelvora" || fail "the built program's main window did not come up"
[[ ! -e $work/home3/.local/share/zelvora ]] || fail "the built program made a per-user folder"
echo "install test passed"
