#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs: the binary, the
# launcher, the icons, the AppStream data and the manual page, each valid; runs the installed
# binary's command line without a display; then builds the .deb, checks that it depends on the
# runtime packages and, where lintian is installed, that lintian finds neither error nor warning.
set -euo pipefail
build_dir="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
share="$prefix/share"
expect=(
  "$prefix/games/dravik"
  "$share/man/man6/dravik.6.gz"
  "$share/doc/dravik/copyright"
  "$share/doc/dravik/changelog.gz"
  "$share/applications/org.dravik2000.Dravik.desktop"
  "$share/metainfo/org.dravik2000.Dravik.metainfo.xml"
  "$share/icons/hicolor/scalable/apps/dravik.svg"
)
for size in 16 32 48 64 128 256; do
  expect+=("$share/icons/hicolor/${size}x${size}/apps/dravik.png")
done
for f in "${expect[@]}"; do
  [ -s "$f" ] || { echo "missing: ${f#"$prefix"/}"; exit 1; }
done
for size in 16 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x${size}/apps/dravik.png" | grep -q "PNG image data, $size x $size" \
    || { echo "icon $size is not a $size x $size PNG"; exit 1; }
done
[ -x "$prefix/games/dravik" ] || { echo "dravik is not executable"; exit 1; }
for doc in "$share/man/man6/dravik.6.gz" "$share/doc/dravik/changelog.gz"; do
  # Debian's reproducible form: best compression, neither the file's name nor its time stored.
  file "$doc" | grep -q "max compression" || { echo "${doc#"$prefix"/} is not gzip -9"; exit 1; }
  file "$doc" | grep -Eq ", was |last modified" && { echo "${doc#"$prefix"/} stores a name or time"; exit 1; }
done
man_warnings="$(zcat "$share/man/man6/dravik.6.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
[ -z "$man_warnings" ] || { echo "the manual page does not format cleanly: $man_warnings"; exit 1; }

# The command line answers before the application needs a display: run with none at all.
expect_run() {  # expected exit code, stdout pattern, stderr pattern, arguments; leaves stdout in $out
  local want_code="$1" out_re="$2" err_re="$3" code=0
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/games/dravik" "$@" \
    >"$prefix/out" 2>"$prefix/err" || code=$?
  out="$(cat "$prefix/out")"
  local err
  err="$(cat "$prefix/err")"
  if [ "$code" -ne "$want_code" ] || ! [[ "$out" =~ $out_re && "$err" =~ $err_re ]]; then
    echo "dravik $*: exit $code (wanted $want_code), stdout '$out', stderr '$err'"
    exit 1
  fi
}
expect_run 0 $'^Usage: dravik .*\n[^\n]+\n\n  --help [^\n]+\n  --version [^\n]+$' '^$' --help
# GNU's form: the version alone on the first line, then the copyright and the licence.
expect_run 0 $'^dravik [0-9]+\\.[0-9]+\\.[0-9]+\nCopyright \\(C\\) [0-9]{4} [^\n]+\n[^\n]*GPL-3\\.0-or-later[^\n]*$' \
  '^$' --version
version="${out%%$'\n'*}"
version="${version#dravik }"
zcat "$share/man/man6/dravik.6.gz" | grep -q "^\.TH DRAVIK 6 .*\"Dravik 2000 $version\"" \
  || { echo "the manual page is not that of version $version"; exit 1; }
grep -q "<release version=\"$version\"" "$share/metainfo/org.dravik2000.Dravik.metainfo.xml" \
  || { echo "the AppStream data does not list version $version"; exit 1; }
# One line naming the first argument refused; Qt's own options are refused too.
refused() { echo "^dravik: unrecognised argument '$1' \\(try 'dravik --help'\\)$"; }
for bad in --bogus -h -platform ""; do
  expect_run 2 '^$' "$(refused "$bad")" "$bad"
done
expect_run 2 '^$' "$(refused x)" --version x
expect_run 2 '^$' "$(refused --version)" --help --version

desktop-file-validate "$share/applications/org.dravik2000.Dravik.desktop"
appstreamcli validate --no-net "$share/metainfo/org.dravik2000.Dravik.metainfo.xml" >/dev/null
# The licence the program states is the one its package and its AppStream data state.
grep -q "<project_license>GPL-3.0-or-later</project_license>" \
  "$share/metainfo/org.dravik2000.Dravik.metainfo.xml" \
  || { echo "the AppStream data does not name the licence GPL-3.0-or-later"; exit 1; }
grep -Eq '^Files: \*$' "$share/doc/dravik/copyright" && grep -Eq '^License: GPL-3\+$' "$share/doc/dravik/copyright" \
  || { echo "the copyright file does not put every file under GPL-3+"; exit 1; }

(cd "$build_dir" && cpack -G DEB -B "$prefix/deb" >/dev/null 2>&1)
deb="$(ls "$prefix"/deb/dravik_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation qt6-qpa-plugins; do
  grep -q "$package" <<<"$depends" || { echo "the .deb does not depend on $package: $depends"; exit 1; }
done
recommends="$(dpkg-deb -f "$deb" Recommends)"
grep -q "qt6-wayland" <<<"$recommends" || { echo "the .deb does not recommend qt6-wayland"; exit 1; }
contents="$(dpkg-deb -c "$deb")"
grep -q "\./usr/games/dravik$" <<<"$contents" || { echo "the .deb holds no /usr/games/dravik"; exit 1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] \
  || { echo "the .deb's version is not the program's $version"; exit 1; }
lint="lintian not installed, not run"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$prefix/lintian" 2>&1 || {
    echo "lintian finds errors or warnings in $(basename "$deb"):"
    cat "$prefix/lintian"
    exit 1
  }
  lint="lintian: no error, no warning"
fi
echo "install: ${#expect[@]} files in place, launcher, metadata and manual valid, command line answers" \
  "without a display, $(basename "$deb") depends on: $depends; recommends: $recommends; $lint"
