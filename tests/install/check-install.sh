#!/bin/sh
# Installs Zarn from the build folder $1 into a scratch prefix and checks the layout,
# the desktop entry and the AppStream metainfo.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/zarn share/zarn/zarn-applethost.jar share/zarn/Options.dat \
            share/zarn/temp/NotDone.txt share/zarn/temp/Done.txt share/zarn/temp/temp.txt \
            share/applications/zarn.desktop share/icons/hicolor/scalable/apps/zarn.svg \
            share/metainfo/io.github.zarnide.zarn.metainfo.xml; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
[ -x "$prefix/bin/zarn" ] || { echo "bin/zarn is not executable"; exit 1; }
grep -q '^Categories=.*Development' "$prefix/share/applications/zarn.desktop"
grep -q '^MimeType=.*text/x-java' "$prefix/share/applications/zarn.desktop"
desktop-file-validate "$prefix/share/applications/zarn.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.zarnide.zarn.metainfo.xml"
echo "install layout ok"
