#!/usr/bin/env bash
# scripts/run and scripts/test on a machine that has no Wine until their own
# setup step installs it, and on one where Wine cannot start. The real
# scripts run in a copy of the project's scripts folder whose setup and build
# steps are stand-ins; the Wine they install is a stand-in that logs its
# calls. usage: wine_choice.sh <project folder>
set -uo pipefail
top="$(cd "$1" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/vantor-wine-choice.XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# A PATH with every command of this host but Wine's.
bin="$work/bin"
mkdir -p "$bin"
for dir in /usr/local/bin /usr/bin /bin /usr/sbin /sbin; do
  # The first folder that has a name wins, as on a PATH; ln leaves the rest.
  find "$dir/" -maxdepth 1 \( -type f -o -type l \) -perm -u+x 2>/dev/null |
    grep -vE '/(wine[^/]*|msiexec|regedit|regsvr32)$' | xargs -r ln -s -t "$bin" 2>/dev/null
done
root="$work/wine-root"   # where Debian keeps wine64
mkdir -p "$root"

# $1 = what the stand-in Wine does: "works", "broken" (says why and fails),
# "no-prefix" (succeeds but makes no prefix), "absent" (setup installs none);
# $2 = the script that will run in it.
make_project() {
  local tree="$work/$1-$2"
  rm -rf "$tree" "$root"/* "$bin/wineserver"
  mkdir -p "$tree"
  cp -r "$top/scripts" "$tree/scripts"
  cat >"$tree/fake-wine" <<FAKE
#!/bin/sh
echo "\$0 \$*" >>"$tree/wine.log"
case "\$1" in
  wineboot)
    case "$1" in
      broken) echo "wine: could not load kernel32.dll, status c0000135" >&2; exit 1 ;;
      no-prefix) exit 0 ;;
    esac
    mkdir -p "\$WINEPREFIX/drive_c" ;;
esac
exit 0
FAKE
  printf '#!/bin/sh\nexit 0\n' >"$tree/fake-wineserver"
  chmod +x "$tree/fake-wine" "$tree/fake-wineserver"
  local install=""
  [ "$1" != absent ] && install="cp '$tree/fake-wine' '$root/wine64'; cp '$tree/fake-wineserver' '$bin/wineserver'"
  printf '#!/bin/sh\n# stand-in: installs Wine\n%s\n' "$install" >"$tree/scripts/setup"
  # The stand-in build leaves a program and one CTest entry, which checks
  # the prefix Wine made.
  cat >"$tree/scripts/build" <<'BUILD'
#!/bin/sh
mkdir -p "$VANTOR_BUILD"
: >"$VANTOR_BUILD/vantor.exe"
echo 'add_test(prefix /bin/sh -c "test -d \"$WINEPREFIX/drive_c\"")' >"$VANTOR_BUILD/CTestTestfile.cmake"
BUILD
  chmod +x "$tree/scripts/setup" "$tree/scripts/build"
  echo "$tree"
}

# Runs a script of the tree with no Wine anywhere the scripts look.
run_in() {   # $1 = tree, $2 = script; stdout and stderr go to files in the tree
  env -i HOME="$work" PATH="$bin" DISPLAY=":9999" TMPDIR="$work" VANTOR_ARCH=x86_64 \
    VANTOR_WINE_ROOT="$root" bash "$1/scripts/$2" >"$1/$2.out" 2>"$1/$2.err"
}

# Wine installed by the setup step is found and used, by both scripts.
for script in run test; do
  tree="$(make_project works "$script")"
  if ! run_in "$tree" "$script"; then
    fail "scripts/$script with Wine installed by its setup: $(cat "$tree/$script.err")"
  fi
  grep -qsx "$root/wine64 wineboot --init" "$tree/wine.log" ||
    fail "scripts/$script: wineboot did not run from the Wine root: $(cat "$tree/wine.log" 2>/dev/null)"
done
grep -qsx "$root/wine64 $work/works-run/build/x86_64/vantor.exe" "$work/works-run/wine.log" ||
  fail "scripts/run did not start vantor.exe with the installed wine64"
grep -qs "100% tests passed" "$work/works-test/test.out" ||
  fail "scripts/test did not run its test: $(tail -5 "$work/works-test/test.out")"

# Wine that cannot start: one line that names the command and gives Wine's
# own words, then the script ends, with nothing from a later line.
expect_one_line() {   # $1 = case, $2 = script, $3 = what the line must hold
  local tree err
  tree="$(make_project "$1" "$2")"
  if run_in "$tree" "$2"; then fail "$1: scripts/$2 succeeded"; return; fi
  err="$tree/$2.err"
  [ "$(wc -l <"$err")" -eq 1 ] || fail "$1: scripts/$2 wrote more than one line: $(cat "$err")"
  grep -q "^Wine cannot start: '.*wine64 wineboot --init' " "$err" || fail "$1: the line does not name the command: $(cat "$err")"
  grep -qF "$3" "$err" || fail "$1: the line lacks '$3': $(cat "$err")"
}
expect_one_line absent test "failed with exit status 127"
expect_one_line absent run "wine64: command not found"
expect_one_line broken test "failed with exit status 1: wine: could not load kernel32.dll, status c0000135"
expect_one_line no-prefix run "left no Wine prefix in $work/no-prefix-run/build/x86_64/wineprefix"

[ "$failures" -eq 0 ] && echo "all cases passed"
exit $((failures > 0))
