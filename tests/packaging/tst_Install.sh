#!/bin/bash
# The installed program: `cmake --install` into a temporary prefix puts every
# file in its place, the desktop entry and metainfo validate, the installed
# program started as a user would (its own XDG_DATA_HOME) creates the user's
# database there and leaves the install tree byte for byte as it was, and the
# Debian package carries the same files with its dependencies read from the
# binaries.
# Usage: tst_Install.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.quorvel.Quorvel
expected=(
    bin/quorvel bin/quorvel-help
    share/quorvel/ROV_DATA.mdb share/quorvel/myData.mdb
    share/quorvel/rpt_Ratios.rpt share/quorvel/rpt_BalanceSheet.rpt share/quorvel/rpt_Comparison.rpt
    share/quorvel/ROVA_ConceptsHelp_Eng.qch share/quorvel/ROVA_ConceptsHelp_Fre.qch
    share/quorvel/ROVA_Tech_Help_Eng.qch share/quorvel/ROVA_Tech_Help_Fre.qch
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png
)
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
# The team store loads libpq when it is first used; linked, libpq and the
# libraries it brings would slow every start.
for program in quorvel quorvel-cli; do
    [ -x "$prefix/bin/$program" ] || continue
    ! readelf -d "$prefix/bin/$program" | grep -q 'NEEDED.*libpq' ||
        fail "$program is linked to libpq"
done
# A PNG's width and height are bytes 16-23 of its header.
for size in 48 256; do
    dims=$(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" | tr -s ' ')
    side="0 0 $((size / 256)) $((size % 256))"
    [ "$dims" = " $side $side" ] || fail "the $size px icon is not $size px square: $dims"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "metainfo does not validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml")"

tree() { (cd "$prefix" && find . -print0 | sort -z | xargs -0 stat -c '%n %s %a %Y' &&
          find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(tree)

# The first start of a user: the database is made from the shipped one.
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
database=$XDG_DATA_HOME/Quorvel/myData.mdb
"$prefix/bin/quorvel" >"$work/out.txt" 2>&1 &
pid=$!
for _ in $(seq 600); do
    [ -s "$database" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the installed program ended: $(cat "$work/out.txt")"
    sleep 0.1
done
[ -s "$database" ] || fail "no user database in $XDG_DATA_HOME/Quorvel"
# Still running a moment later: it opened both databases and showed its first screen.
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the installed program ended: $(cat "$work/out.txt")"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ "$(head -c 15 "$database")" = "SQLite format 3" ] || fail "$database is not a database file"
[ "$(tree)" = "$before" ] || fail "the install tree changed: $(diff <(echo "$before") <(tree) | head)"

# The Debian package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.txt" 2>&1 ||
    fail "cpack: $(tail -20 "$work/cpack.txt")"
deb=$(ls "$work"/package/quorvel_*_amd64.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no quorvel_<version>_amd64.deb: $(ls "$work/package")"
contents=$(dpkg-deb -c "$deb")
for file in "${expected[@]}"; do
    grep -q " \./usr/$file\$" <<<"$contents" || fail "the package lacks /usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
# libpq is loaded only by the team store, so the package names it itself.
for library in libqt6widgets6 libqt6sql6 libsqlite3-0 libqt6sql6-sqlite libpq5; do
    grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
echo "PASS: installed, started, left unchanged, packaged as $(basename "$deb")"
