#!/usr/bin/env bash
# A smoke run of the real binary on the simulated panel: a new site, a read and write round trip,
# the design check, an export, the panel lock and the exit statuses.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL
# status WANTED ARGUMENTS...: run tamrik with out.txt and err.txt and check its exit status.
status() {
    local wanted=$1 got=0
    shift
    "$tamrik" "$@" > out.txt 2> err.txt || got=$?
    [ "$got" -eq "$wanted" ] || { cat err.txt >&2; fail "'$*' gave status $got, not $wanted"; }
}

status 0 --version
grep -Eq '^tamrik [0-9]+\.[0-9]+\.[0-9]+$' out.txt || fail "--version"
status 0 --new site.psf
[ "$(grep -c $'\r$' site.psf)" -eq 4023 ] || fail "a new site is 4023 CR LF lines"
status 1 --new no/such/dir/site.psf
status 2 --frobnicate

# Read the demo panel, write it back with a new serial number and language, read it again.
status 0 --panel sim:panel.sim -r read.psf
grep -q '^PanelData = "1"' read.psf || fail "the read site is not a complete reading"
status 0 --panel sim:panel.sim --load read.psf -s 1A2B3C4D -la 2 -w
grep -q '^Success: Settings have been sent to the panel$' err.txt || fail "write not reported"
status 0 --panel sim:panel.sim -r again.psf
grep -q '^PanelSnum = "1A2B3C4D"' again.psf || fail "the panel does not hold the new serial number"

# A bad serial number stops before the write; a panel another program holds is refused untouched.
cp panel.sim before.sim
status 2 --panel sim:panel.sim -s 12G45678 -w
exec 9< panel.sim
flock -n 9 || fail "the test could not hold the panel"
status 1 --panel sim:panel.sim --load read.psf -s 0000ABCD -w
grep -q 'The panel is in use by another program$' err.txt || fail "a held panel: $(cat err.txt)"
exec 9<&-
cmp -s panel.sim before.sim || fail "a refused write changed the panel"

# The design check of a new site reports its faults with status 1; a hand-edited site needs -ld.
status 1 --check site.psf
grep -q "^Site Info 'SiteNumber' requires a value"$'\r$' out.txt || fail "--check output"
sed -i 's/^SiteName = ""/SiteName = "Depot"/' site.psf
status 1 --export devices site.psf devices.csv
[ ! -e devices.csv ] || fail "a refused export was written"
status 0 -ld --export devices site.psf devices.csv
[ "$(wc -l < devices.csv)" -eq 193 ] || fail "device export lines"
status 1 --export devices site.psf site.psf
grep -q "is the same file as" err.txt || fail "an output that is its input: $(cat err.txt)"

# A panel whose stored site checksum no longer matches (a write that did not finish) is still read and
# saved, with a warning and status 1.
printf '\x00\x00' | dd of=panel.sim bs=1 seek=$((0x55000 + 0x1FF4)) conv=notrunc status=none
status 1 --panel sim:panel.sim -r half.psf
grep -q "does not match its checksum" err.txt || fail "no warning for a half-written panel"
grep -q '^PanelData = "1"' half.psf || fail "the half-written panel's site was not saved"
echo "smoke: ok"
