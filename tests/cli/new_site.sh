#!/usr/bin/env bash
# tamrik --new writes a default site file that loads back and saves identically.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tamrik" --version | grep -Eq '^tamrik [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version"

"$tamrik" --new site.psf > out.txt || fail "--new exit status"
lines=$(wc -l < site.psf)
[ "$lines" -eq 4023 ] || fail "expected 4023 lines, got $lines"
[ "$(grep -c $'\r$' site.psf)" -eq 4023 ] || fail "every line ends in CR LF"
tail -n 1 site.psf | grep -Eq '^Check = "[0-9]+"'$'\r''$' || fail "Check line"
# Saving the same site again gives the same bytes.
"$tamrik" --new again.psf > /dev/null
cmp -s site.psf again.psf || fail "a second new site differs"

# A folder that does not exist: failure reported, exit status 1.
if "$tamrik" --new no/such/dir/site.psf 2> err.txt; then fail "saving into a missing folder succeeded"; fi
grep -q "could not save" err.txt || fail "no reason printed"
echo "new_site: ok"
