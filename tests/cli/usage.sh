#!/usr/bin/env bash
# tamrik -? prints the banner and the short usage text exactly, and ends without a window.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

{
    printf '\n\n5300 Commissioning software V2.019\n'
    cat <<'USAGE'
-ld        load site files and accept errors
-f <file>  program firmware from <file>
-w         write panel settings
-r <file>  read panel settings to <file>
-s <ser>   set serial number to <ser>
-la <l>    set language to <l>
           <l> can be....
           0 . . English
           1 . . Dutch
           2 . . Hungarian
           3 . . Norwegian
           4 . . Russian
           5 . . Spanish
           6 . . Italian
           7 . . French
           8 . . Polish
           9 . . Czech
           10. . Portuguese
           11. . Finnish
           12. . Danish
USAGE
} > expected.txt

"$tamrik" -? > out.txt 2> err.txt || fail "-? exit status $?"
cmp -s out.txt expected.txt || { diff expected.txt out.txt >&2 || true; fail "-? output"; }
[ ! -s err.txt ] || fail "-? wrote to stderr"
# Options are compared without regard to case; arguments that are no options are passed over.
"$tamrik" notes.txt -LD -? > out.txt || fail "-LD -? exit status"
cmp -s out.txt expected.txt || fail "-LD -? output"

# --help lists every option; a mistake is a usage error, status 2, with a hint.
"$tamrik" --help > help.txt || fail "--help exit status"
for option in -ld -s -la -f -w -r --panel --load --new --check --export --help --version; do
    grep -q -- "$option" help.txt || fail "--help does not mention $option"
done
set +e
"$tamrik" --frobnicate > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 2 ] || fail "unknown option gave status $status"
grep -q "unknown option '--frobnicate'" err.txt || fail "unknown option message"
echo "usage: ok"

# Without a display, a command line with no action says so instead of opening no window; -h is --help.
"$tamrik" -h > h.txt || fail "-h exit status"
cmp -s h.txt help.txt || fail "-h differs from --help"
"$tamrik" --new site.psf > /dev/null || fail "--new"
for line in "" "--load site.psf" "-ld -s 12"; do
    set +e
    # shellcheck disable=SC2086
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:97 "$tamrik" $line > out.txt 2> err.txt
    status=$?
    set -e
    [ "$status" -eq 2 ] || fail "'$line' without a display gave status $status"
    tail -n 1 err.txt | grep -qx "No display: the desktop window cannot open" || fail "'$line' without a display: $(cat err.txt)"
    grep -q -- "-la <l>    set language to <l>" err.txt || fail "'$line' without a display: no usage"
done
