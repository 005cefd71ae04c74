#!/usr/bin/env bash
# The file to ship: a Windows program of the target's kind that imports only
# system DLLs, without debug information, whose debug link names the debug
# file beside it with that file's checksum.
# usage: dist.sh <build folder> <objdump of the target> <i686|x86_64>
set -uo pipefail
build="$1" objdump="$2" arch="$3"
exe="$build/dist/vantor.exe" debug="$build/dist/vantor.exe.debug"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

[ -f "$exe" ] && [ -f "$debug" ] || { echo "FAILED: $exe or $debug is missing"; exit 1; }
headers="$("$objdump" -p "$exe")"
case "$arch" in
  i686) format=pei-i386 magic="010b" ;;
  x86_64) format=pei-x86-64 magic="020b" ;;
  *) echo "FAILED: unknown target $arch"; exit 1 ;;
esac
grep -q "file format $format\$" <<<"$headers" || fail "not a $format file"
grep -q "^Magic[[:space:]]*$magic" <<<"$headers" || fail "optional header magic is not $magic"
grep -q "^Subsystem[[:space:]]*00000002" <<<"$headers" || fail "not a windowed (GUI) program"

# Only DLLs that every Windows has; a MinGW runtime DLL here would not start.
imports="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)"
[ -n "$imports" ] || fail "no imports found"
for dll in $imports; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|winmm.dll|advapi32.dll|shell32.dll|comctl32.dll|comdlg32.dll|ole32.dll|msvcrt.dll) ;;
    *) fail "imports $dll, which is not a system DLL" ;;
  esac
done

sections="$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $2}')"
grep -q '^\.debug_' <<<"$sections" && fail "carries debug sections: $(grep '^\.debug_' <<<"$sections" | tr '\n' ' ')"
grep -qx '\.gnu_debuglink' <<<"$sections" || fail "has no debug link"
"$objdump" -h "$debug" | grep -q ' \.debug_info ' || fail "the debug file holds no debug information"

# The link: the file name, NUL, padding to 4 bytes, then the CRC-32 of the
# debug file, little-endian. gzip's trailer holds the same CRC-32.
link="$("$objdump" -s -j .gnu_debuglink "$exe" | awk '/^ [0-9a-f]+ / {print $2 $3 $4 $5}' | tr -d '\n')"
want_name="$(printf 'vantor.exe.debug' | od -An -tx1 | tr -d ' \n')00"
[ "${link:0:${#want_name}}" = "$want_name" ] || fail "the debug link does not name vantor.exe.debug: $link"
crc="$(gzip -c <"$debug" | tail -c 8 | head -c 4 | od -An -tx1 | tr -d ' \n')"
padded=$(( (${#want_name} / 2 + 3) / 4 * 4 * 2 ))
[ "${link:$padded:8}" = "$crc" ] || fail "the debug link's checksum ${link:$padded:8} is not the debug file's $crc"

# The build's own program keeps its debug information for the tests.
"$objdump" -h "$build/vantor.exe" | grep -q ' \.debug_info ' || fail "the build's vantor.exe lost its debug information"

[ "$failures" -eq 0 ] && echo "dist/vantor.exe: $(stat -c %s "$exe") bytes; all checks passed"
exit $((failures > 0))
