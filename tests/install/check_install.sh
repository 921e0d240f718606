#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs: the binary, the
# launcher, the icons and the AppStream data, each valid; then builds the .deb and checks that it
# depends on the runtime packages.
set -euo pipefail
build_dir="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
share="$prefix/share"
expect=(
  "$prefix/bin/dravik"
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
[ -x "$prefix/bin/dravik" ] || { echo "dravik is not executable"; exit 1; }

desktop-file-validate "$share/applications/org.dravik2000.Dravik.desktop"
appstreamcli validate --no-net "$share/metainfo/org.dravik2000.Dravik.metainfo.xml" >/dev/null

(cd "$build_dir" && cpack -G DEB -B "$prefix/deb" >/dev/null 2>&1)
deb="$(ls "$prefix"/deb/dravik_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation; do
  grep -q "$package" <<<"$depends" || { echo "the .deb does not depend on $package: $depends"; exit 1; }
done
contents="$(dpkg-deb -c "$deb")"
grep -q "\./usr/bin/dravik$" <<<"$contents" || { echo "the .deb holds no /usr/bin/dravik"; exit 1; }
echo "install: ${#expect[@]} files in place, launcher and metadata valid, $(basename "$deb") depends on: $depends"
