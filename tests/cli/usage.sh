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
