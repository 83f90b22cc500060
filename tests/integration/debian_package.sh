# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package made from this build holds the installed tree, names the package,
# its version and maintainer, and depends on what the program needs at run time.
source "$(dirname "$0")/lib.sh"
BUILD="$2"

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$WORK"/package/kassavero_*.deb)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in the build"
expect_eq "$(basename "$deb")" "kassavero_${version}_$(dpkg --print-architecture).deb" "file name"

info=$(dpkg-deb --info "$deb")
field() { dpkg-deb --field "$deb" "$1"; }
expect_eq "$(field Package)" "kassavero"
expect_eq "$(field Version)" "$version"
expect_eq "$(field Section)" "utils"
expect_eq "$(field Maintainer)" "Kassavero developers <developers@kassavero.org>"
grep -q '^ Description: converts amounts between the euro' <<<"$info" || fail "no description"
depends=$(field Depends)
# Found in the linked libraries, and added for what is loaded at run time.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 \
    dbus qt6-qpa-plugins libqt6svg6; do
    grep -Eq "(^|, )${package//+/\\+}( |,|$)" <<<"$depends" || fail "$package missing in Depends: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{$1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print}')
for entry in ./usr/lib/kassavero/kassavero ./usr/lib/kassavero/kassavero-dde \
    ./usr/lib/kassavero/i18n.dat "./usr/bin/kassavero -> ../lib/kassavero/kassavero" \
    "./usr/bin/kassavero-dde -> ../lib/kassavero/kassavero-dde" \
    ./usr/share/dbus-1/interfaces/org.kassavero.dde.Server.xml \
    ./usr/share/dbus-1/services/org.kassavero.dde.kassavero.service \
    ./usr/share/man/man1/kassavero.1.gz ./usr/share/man/man1/kassavero-dde.1.gz; do
    grep -qxF "$entry" <<<"$contents" || fail "$entry is not in the package"
done
if [ -d "$BIN/help" ]; then
    grep -q '^\./usr/lib/kassavero/help/' <<<"$contents" || fail "no help pages"
fi
if [ -f "$BUILD/office/kassavero.oxt" ]; then
    grep -qxF ./usr/lib/kassavero/kassavero.oxt <<<"$contents" || fail "no office extension"
fi
! grep -q "$BUILD\|$WORK" <<<"$contents" || fail "build paths in the package"

# Owned by root, and the service file names the installed program.
dpkg-deb --contents "$deb" | awk '$2 != "root/root" {exit 1}' || fail "files not owned by root"
dpkg-deb --extract "$deb" "$WORK/extracted"
expect_eq "$(grep '^Exec=' "$WORK/extracted/usr/share/dbus-1/services/org.kassavero.dde.kassavero.service")" \
    "Exec=/usr/lib/kassavero/kassavero /nowarning" "service file in the package"

# Debian's own checks find no error (licence, changelog, maintainer, files).
lintian --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 ||
    { cat "$WORK/lintian.log" >&2; fail "lintian finds an error in the package"; }
echo "1 passed, 0 failed"
