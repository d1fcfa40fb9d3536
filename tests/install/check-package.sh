#!/bin/sh
# Builds the Debian package from the build folder $1, unpacks it into a scratch root
# and runs the installed Zarn once, offscreen, with a fresh home folder: it must
# make its per-user application folder and keep running.
set -eu
build=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=0

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/zarn_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins openjdk-17-jdk fonts-liberation; do
    echo "$depends" | grep -q "$needed" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done
dpkg-deb --contents "$deb" | grep -q './usr/bin/zarn' || { echo "no usr/bin/zarn in the package"; exit 1; }
# Debian's own checks: a stripped binary, copyright, changelog, manual page, ...
lintian --fail-on error,warning "$deb" || { echo "lintian finds fault with $deb"; exit 1; }

dpkg -x "$deb" "$work/root"
mkdir "$work/home"
HOME="$work/home" XDG_DATA_HOME="$work/home/data" QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/zarn" &
pid=$!
folder="$work/home/data/zarn"
for _ in $(seq 1 $((200 * ${ZARN_TEST_TIME_FACTOR:-1}))); do
    [ -f "$folder/Options.dat" ] && [ -f "$folder/temp/Done.txt" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the installed Zarn ended"; exit 1; }
    sleep 0.1
done
[ -f "$folder/Options.dat" ] || { echo "no per-user application folder was made"; exit 1; }
kill -0 "$pid" || { echo "the installed Zarn did not keep running"; exit 1; }
echo "package ok: $(basename "$deb")"
