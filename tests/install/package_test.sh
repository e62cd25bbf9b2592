#!/usr/bin/env bash
# Builds the Debian package as `make package` does, has lintian check it, and checks that it
# holds what the install puts in place, with its version, dependencies and no maintainer scripts.
#
# Usage: package_test.sh BUILD_FOLDER SOURCE_FOLDER VERSION
set -euo pipefail

build=$1
source=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$here/checks.sh"

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log" >&2
  exit 1
}
package=$work/gastrolog_${version}_amd64.deb
[ -f "$package" ] || {
  ls "$work" >&2
  echo "FAILED: no $(basename "$package")" >&2
  exit 1
}

# lintian: no errors and no warnings (notes and hints are shown, not counted)
lintian --fail-on error,warning "$package" >"$work/lintian.log" 2>&1 || {
  cat "$work/lintian.log" >&2
  fail "lintian"
}
if [ -s "$work/lintian.log" ]; then cat "$work/lintian.log"; fi

# the package's contents: exactly the installed files, plus every page of the help book
dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort \
  >"$work/packaged"
{
  grep -v '^#' "$here/installed-files.txt"
  (cd "$source/res" && find help -type f -printf 'usr/share/gastrolog/%p\n')
} | LC_ALL=C sort >"$work/expected"
diff -u "$work/expected" "$work/packaged" || fail "the package's files differ from the list"
dpkg-deb -c "$package" | grep ' ./usr/share/gastrolog/help/gastrolog.hhp$' >/dev/null ||
  fail "dpkg-deb -c does not list the help book"

# the control fields
expect_same "the package's version" "$version" "$(dpkg-deb -f "$package" Version)"
expect_same "the package's architecture" "amd64" "$(dpkg-deb -f "$package" Architecture)"
depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6 libwxgtk3.2 libglib2.0-0; do
  [[ $depends == *"$library"* ]] || fail "the dependencies [$depends] lack $library"
done
# "gastrolog -p" prints through lpr.
expect_same "the recommended packages" "cups-bsd | lpr, systemd" "$(dpkg-deb -f "$package" Recommends)"
# The caches are updated by the triggers of the packages that own them.
scripts=$(dpkg-deb --ctrl-tarfile "$package" | tar -t | grep -E 'preinst|postinst|prerm|postrm' || true)
expect_same "the maintainer scripts" "" "$scripts"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks of the package failed" >&2
  exit 1
fi
echo "the package passed every check"
