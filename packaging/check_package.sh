#!/usr/bin/env bash
# Makes the Debian package of the build in BUILD_DIR into SCRATCH, unpacks it
# into a scratch root with dpkg-deb -x, runs both programs from there, reads
# its control fields and contents, and has lintian check it: no error (E:)
# may remain. Exits 77 (skipped) where lintian is not installed.
set -euo pipefail
cpack=${1:?usage: $0 CPACK BUILD_DIR SCRATCH VERSION}
build_dir=$2 scratch=$3 version=$4
fail() { echo "$*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
"$cpack" -G DEB -B "$scratch" --config "$build_dir/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack -G DEB failed: $(cat "$scratch/cpack.log")"
deb=$scratch/kestrane_${version}_amd64.deb
[ -f "$deb" ] || fail "cpack made no $deb: $(ls "$scratch")"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"

dpkg-deb -x "$deb" "$scratch/root"
for program in kestrane-replay kestrane; do
  printed=$("$scratch/root/usr/bin/$program" --version </dev/null) || fail "$program --version failed"
  [ "$printed" = "$program $version" ] || fail "$program --version prints \"$printed\""
done
for path in usr/share/applications/kestrane.desktop usr/share/icons/hicolor/scalable/apps/kestrane.svg \
            usr/share/mime/packages/kestrane.xml usr/share/man/man1/kestrane.1.gz \
            usr/share/man/man1/kestrane-replay.1.gz usr/share/doc/kestrane/copyright \
            usr/share/doc/kestrane/changelog.gz usr/share/doc/kestrane/user-guide.zh.md \
            usr/share/doc/kestrane/user-guide.en.md usr/share/doc/kestrane/job-files.md; do
  [ -f "$scratch/root/$path" ] || fail "the package lacks /$path"
done

# The libraries' packages that dpkg-shlibdeps found, and the fonts the window
# and the report are drawn in.
control=$(dpkg-deb -f "$deb" Package Version Architecture Depends Recommends)
echo "$control"
for part in "Package: kestrane" "Version: $version" "Architecture: amd64" libqt6widgets6 libqt6printsupport6 \
            libqt6svg6 "libstdc++6" fonts-arphic-uming fonts-urw-base35 \
            "Recommends: fonts-noto-cjk, qt6-translations-l10n"; do
  grep -qF -- "$part" <<<"$control" || fail "the control fields lack $part"
done

if ! command -v lintian >/dev/null; then
  echo "lintian is not installed: the package is not checked by it"
  exit 77
fi
# lintian exits 1 when it finds an error, 2 when it cannot check the package.
status=0
findings=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || status=$?
echo "lintian:"
echo "$findings"
[ "$status" -eq 0 ] && ! grep -q '^E: ' <<<"$findings" || fail "lintian finds errors in the package (status $status)"
