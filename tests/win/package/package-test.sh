#!/usr/bin/env bash
# The download as a user gets it:
#   - the zips hold exactly the expected files, the texts in the form Notepad reads right;
#   - every program imports only Windows' own libraries, and carries the project's version in its
#     version resource and a manifest that starts it as the invoker;
#   - unpacked into an empty folder of a fresh Wine prefix, with no drive onto the build machine,
#     spinvolt-demo.exe writes the demo folder where the programs look by default, the unpacked
#     spinvolt-check.exe prints the same day summary as the native one, and spinvolt.exe shows
#     its window, painted (its picture is saved for anyone to look at).
#   package-test.sh ZIP WORK_DIR NATIVE_BIN PICTURE OBJDUMP WINDRES VERSION
set -uo pipefail
zip=$1 work=$2 native=$3 picture=$4 objdump=$5 windres=$6 version=$7
here=$(cd "$(dirname "$0")" && pwd)
wine_dir=$here/../../../cmake/wine
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$zip" ] || { echo "FAIL: no $zip: build the package target"; exit 1; }
[ -x "$native/spinvolt-check" ] || { echo "FAIL: no $native/spinvolt-check: build the native preset"; exit 1; }

# The files, in the order the zip holds them.
expected=$'LICENSE.txt\nNOTICES.txt\nspinvolt-check.exe\nspinvolt-demo.exe\nspinvolt-query.exe\nspinvolt.exe\nПРОЧТИ.txt'
listed=$(unzip -Z1 "$zip")
[ "$listed" = "$expected" ] || fail "the zip holds"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"
symbols=${zip%.zip}-symbols.zip
listed=$(unzip -Z1 "$symbols")
expected=$'spinvolt-check.exe.debug\nspinvolt-demo.exe.debug\nspinvolt-query.exe.debug\nspinvolt.exe.debug'
[ "$listed" = "$expected" ] || fail "the symbols zip holds"$'\n'"$listed"

rm -rf "$work"
mkdir -p "$work"
export SPV_WINE_DIR=$work/wine
trap '"$wine_dir/wine-stop.sh" >/dev/null 2>&1' EXIT
"$wine_dir/wine-start.sh" >/dev/null || { echo "FAIL: no fresh Wine prefix"; exit 1; }
. "$wine_dir/wine-env.sh"
drive_c=$WINEPREFIX/drive_c
# No drive onto the build machine: the programs see nothing but the prefix.
rm -f "$WINEPREFIX/dosdevices/z:"
folder=$drive_c/Spinvolt
mkdir "$folder"
unzip -q "$zip" -d "$folder" || fail "the zip does not unpack"

# The texts: CRLF line ends, the read-me with its UTF-8 mark and the version written in.
for t in ПРОЧТИ.txt LICENSE.txt NOTICES.txt; do
  [ "$(grep -c $'\r$' "$folder/$t")" -eq "$(wc -l <"$folder/$t")" ] || fail "$t has lines without CRLF"
done
[ "$(head -c 3 "$folder/ПРОЧТИ.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "ПРОЧТИ.txt has no UTF-8 mark"
grep -q "Spinvolt $version" "$folder/ПРОЧТИ.txt" || fail "ПРОЧТИ.txt does not name version $version"
grep -q "@[A-Z]*@" "$folder/ПРОЧТИ.txt" && fail "ПРОЧТИ.txt has a placeholder left: $(grep -o "@[A-Z]*@" "$folder/ПРОЧТИ.txt" | head -1)"

# Windows' own libraries, which every Windows the programs run on has.
own='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msimg32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|uxtheme|version|winmm)\.dll$'
for exe in "$folder"/*.exe; do
  dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
  [ -n "$dlls" ] || fail "$(basename "$exe") shows no imports"
  for d in $dlls; do
    [[ $d =~ $own ]] || fail "$(basename "$exe") imports $d, which Windows does not have"
  done
done

# The version resource and the manifest of each program.
IFS=. read -r major minor patch <<<"$version"
for exe in "$folder"/*.exe; do
  name=$(basename "$exe")
  resources=$("$windres" -i "$exe" -O rc 2>/dev/null)
  for line in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
              "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
              "VALUE \"ProductName\", \"Spinvolt\"" "VALUE \"OriginalFilename\", \"$name\"" \
              "VALUE \"FileDescription\", L\"Spinvolt: " "the Spinvolt authors"; do
    grep -qF "$line" <<<"$resources" || fail "$name: its version resource lacks $line"
  done
  grep -qa 'requestedExecutionLevel level="asInvoker"' "$exe" || fail "$name has no manifest that starts it as the invoker"
done
grep -qa 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$folder/spinvolt.exe" ||
  fail "spinvolt.exe's manifest does not name the common controls it uses"

run() { (cd "$folder" && DISPLAY=$(cat "$SPV_WINE_DIR/display") "$wine_dir/wine-run.sh" "$@"); }

# The demo folder where the programs look without settings, and the check of one of its days.
day=2026-12-08
run 'C:\Spinvolt\spinvolt-demo.exe' --folder 'C:\Quorvane' --last-day 2026-12-09 >/dev/null ||
  fail "spinvolt-demo.exe could not write C:\\Quorvane"
unpacked=$(run 'C:\Spinvolt\spinvolt-check.exe' --date $day --summary) || fail "spinvolt-check.exe failed: $unpacked"
reference=$("$native/spinvolt-check" --bases "$drive_c/Quorvane" --reports "$drive_c/Quorvane/Report" --date $day --summary) ||
  fail "the native spinvolt-check failed: $reference"
if [ "${unpacked//$'\r'/}" != "$reference" ] || [ -z "$reference" ]; then
  fail "the unpacked spinvolt-check.exe printed"$'\n'"$unpacked"$'\n'"where the native one printed"$'\n'"$reference"
fi
for tool in spinvolt-check spinvolt-query; do
  v=$(run "C:\\Spinvolt\\$tool.exe" --version) || fail "$tool.exe --version failed"
  [ "${v//$'\r'/}" = "$tool $version" ] || fail "$tool.exe --version printed \"$v\""
done

# The window, started from the unpacked folder: it appears, mapped, and is painted.
export DISPLAY=$(cat "$SPV_WINE_DIR/display")
run 'C:\Spinvolt\spinvolt.exe' >/dev/null 2>&1 &
window=
for _ in $(seq 1 60); do
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"Quorvane Spinvolt"/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && window=$id
  done
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  fail "spinvolt.exe showed no window"
else
  sleep 2
  mkdir -p "$(dirname "$picture")"
  xwd -silent -id "$window" | convert xwd:- "$picture" || fail "no picture of the window"
  # A painted window is the skin's many colours; an unpainted one is one flat colour.
  colours=$(convert "$picture" -format %k info:)
  top=$(convert "$picture" -format %c histogram:info:- | sort -rn | head -1 | awk '{print $1+0}')
  size=$(convert "$picture" -format '%w %h' info:)
  read -r w h <<<"$size"
  echo "package: the window of the unpacked spinvolt.exe, ${w}x$h, $colours colours: $picture"
  [ "$w" -ge 600 ] && [ "$h" -ge 500 ] || fail "the window is ${w}x$h"
  [ "$colours" -ge 64 ] && [ $((top * 100)) -lt $((w * h * 80)) ] ||
    fail "the window is not painted: $colours colours, the commonest on $top of $((w * h)) pixels"
fi

if ((failures)); then
  echo "$failures failures"
  exit 1
fi
echo "package: $(basename "$zip") as a user gets it: all checks passed"
