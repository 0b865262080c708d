#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a
# temporary root and starts the unpacked program through its desktop
# entry's Exec line with a fresh home, as the menu would; lintian must
# find no errors in the package.
#
#   package_test.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
. "$(dirname "$0")/headless_start.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/package/zelvora_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no single zelvora_*.deb: ${debs[*]}"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
for needed in qt6-translations-l10n fonts-liberation libqt6widgets6 libqt6serialport6 libqt6multimedia6 libgsf-1-114; do
  grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian found errors"; }
sed 's/^/lintian: /' "$work/lintian.log"

root=$work/root
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/org.zelvora.Zelvora.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ -n $exec_line ]] || fail "no Exec line in the desktop entry"
read -r -a command <<<"$exec_line"
home=$work/home
start_zelvora "$home" env PATH="$root/usr/bin:$PATH" "${command[@]}" || fail "the unpacked program's main window did not come up"
diff -r "$root/usr/share/zelvora" "$home/.local/share/zelvora" >/dev/null ||
  fail "the per-user folder is not a copy of the packaged data"
echo "package test passed"
