#!/usr/bin/env bash
# Makes the download for Windows in the build tree:
#   NAME.zip          the programs, the read-me, the licence and the notices of what is linked in
#   NAME-symbols.zip  the programs' debug files, for a debugger beside the programs
# The same sources give the same bytes, wherever and whenever they are packed: every file has the
# time of the last commit (or SOURCE_DATE_EPOCH), the files are in a fixed order, and no owner,
# permission of the build machine or extra time is stored. Texts get CRLF line ends, and the
# read-me its UTF-8 mark and the version written in, so that Notepad shows them right.
#   make-package.sh BUILD_DIR NAME VERSION BIN_DIR SOURCE_DIR PROGRAM...
set -euo pipefail
build=$1 name=$2 version=$3 bin=$4 src=$5
shift 5
export TZ=UTC LC_ALL=C.UTF-8

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct 2>/dev/null || true)}
# Outside a git checkout: the first of January 2026.
epoch=${epoch:-1767225600}

zip=$build/$name.zip
symbols=$build/$name-symbols.zip
stage=$build/package/$name
stamp=$build/package/$name.stamp

texts=("$src/resources/package/ПРОЧТИ.txt" "$src/LICENSE" "$src/resources/package/NOTICES.txt")
inputs=("${texts[@]}" "$0")
for p in "$@"; do inputs+=("$bin/$p.exe" "$bin/$p.exe.debug"); done
# Packed already from the same inputs at the same commit: nothing to do.
if [ -f "$zip" ] && [ -f "$symbols" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$epoch $version $*" ] &&
   [ -z "$(find "${inputs[@]}" -newer "$zip" 2>&1 || echo missing)" ]; then
  exit 0
fi

rm -rf "$stage" "$stage-symbols"
mkdir -p "$stage" "$stage-symbols"
for p in "$@"; do
  cp "$bin/$p.exe" "$stage/"
  cp "$bin/$p.exe.debug" "$stage-symbols/"
done
# text SOURCE TARGET [bom]
text() {
  { [ "${3:-}" = bom ] && printf '\xef\xbb\xbf'; sed "s/\r\$//; s/@VERSION@/$version/g; s/\$/\r/" "$1"; } >"$2"
}
text "${texts[0]}" "$stage/ПРОЧТИ.txt" bom
text "${texts[1]}" "$stage/LICENSE.txt"
text "${texts[2]}" "$stage/NOTICES.txt"

# pack FOLDER ZIP: every file of FOLDER, by name in byte order, with no folder entries.
pack() {
  chmod 0644 "$1"/*
  touch -d "@$epoch" "$1"/*
  rm -f "$2.part"
  (cd "$1" && find . -type f -printf '%P\n' | sort | zip -X -D -q -9 -UN=UTF8 "$2.part" -@)
  mv "$2.part" "$2"
}
pack "$stage" "$zip"
pack "$stage-symbols" "$symbols"
echo "$epoch $version $*" >"$stamp"
for z in "$zip" "$symbols"; do
  echo "package: $(basename "$z"): $(stat -c %s "$z") bytes, sha256 $(sha256sum "$z" | cut -d' ' -f1)"
done
