#!/bin/sh
# Installs Zarn from the build folder $1 (version $2) into a scratch prefix and checks
# the layout, the desktop entry, the AppStream metainfo and the command line. $3 is
# "sanitized" for a build with the sanitizers, whose metadata names source files.
set -eu
build=$(realpath "$1")
version=$2
sanitized=${3:-}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" --strip >/dev/null
for file in bin/zarn libexec/zarn/zarn-javac share/zarn/zarn-applethost.jar share/zarn/zarn-appletapi.jar share/zarn/zarn-runner.jar \
            share/zarn/zarn-compiler.jar share/zarn/Options.dat \
            share/zarn/temp/NotDone.txt share/zarn/temp/Done.txt share/zarn/temp/temp.txt \
            share/applications/zarn.desktop share/icons/hicolor/scalable/apps/zarn.svg \
            share/metainfo/io.github.zarnide.zarn.metainfo.xml share/man/man1/zarn.1.gz \
            share/doc/zarn/copyright share/doc/zarn/changelog.gz; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
[ -x "$prefix/bin/zarn" ] || { echo "bin/zarn is not executable"; exit 1; }
[ -x "$prefix/libexec/zarn/zarn-javac" ] || { echo "libexec/zarn/zarn-javac is not executable"; exit 1; }
grep -q '^Categories=.*Development' "$prefix/share/applications/zarn.desktop"
grep -q '^MimeType=.*text/x-java' "$prefix/share/applications/zarn.desktop"
grep -q '^Exec=zarn %f$' "$prefix/share/applications/zarn.desktop"
# Nothing installed points back into the build tree.
if [ "$sanitized" != sanitized ] && grep -r -l -F "$build" "$prefix"; then
    echo "the installed files name the build folder $build"
    exit 1
fi
grep -q '^4,2,"' "$prefix/share/zarn/Options.dat" || { echo "a new user's settings are not Courier New 12"; exit 1; }

# The command line: help and the version need no display; an unknown option is a
# usage error.
zarn() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/zarn" "$@"; }
zarn --help | grep -q '^Usage: .*zarn \[options\] \[file\]' || { echo "zarn --help"; exit 1; }
[ "$(zarn --version)" = "zarn $version" ] || { echo "zarn --version: $(zarn --version)"; exit 1; }
status=0
QT_QPA_PLATFORM=offscreen "$prefix/bin/zarn" --no-such-option >/dev/null 2>"$prefix/usage" || status=$?
[ "$status" -eq 2 ] && grep -q "Unknown option 'no-such-option'" "$prefix/usage" && grep -q '^Usage:' "$prefix/usage" \
    || { echo "an unknown option ended with $status:"; cat "$prefix/usage"; exit 1; }
desktop-file-validate "$prefix/share/applications/zarn.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.zarnide.zarn.metainfo.xml"
echo "install layout ok"
