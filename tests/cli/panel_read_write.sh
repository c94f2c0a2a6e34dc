#!/usr/bin/env bash
# Reading and writing the simulated demo panel from the command line.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL

# A missing panel state file is created as the demo panel.
"$tamrik" --panel sim:panel.sim -r site.psf > out.txt 2> err.txt || fail "-r exit status $?"
[ -f panel.sim ] || fail "no demo panel state file"
grep -q "^Using the simulated panel (panel.sim)$" out.txt || fail "the simulated panel is not named"
grep -Eq '^Serial number is [0-9A-F]{8}$' out.txt || fail "serial number line"
grep -Eq '^Language is [0-9]+$' out.txt || fail "language line"
tail -n 2 out.txt | diff - <(printf "Saving panel settings to file 'site.psf'\nDone\n") > /dev/null || fail "closing lines"
grep -q '^PanelData = "1"' site.psf || fail "the saved site is not a complete reading"
# The saved file loads back and passes its check.
"$tamrik" --load site.psf -? > out.txt 2> err.txt || fail "--load of the read site"
grep -q "^Site info. loaded from file 'site.psf'$" out.txt || fail "the read site does not load back cleanly"

# A panel whose stored site checksum word no longer matches its site (a write that did not finish):
# the site is still read and saved, with a warning, and the exit status is 1.
cp panel.sim half.sim
printf '\x00\x00' | dd of=half.sim bs=1 seek=$((0x55000 + 0x1FF4)) conv=notrunc status=none
set +e
"$tamrik" --panel sim:half.sim -r half.psf > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "reading a half-written panel gave status $status"
grep -q "Panel data does not match its checksum: the last write to this panel may not have finished" err.txt ||
    fail "no warning for a half-written panel"
grep -q '^PanelData = "1"' half.psf || fail "the half-written panel's site was not saved"
grep -q "does not match its checksum" <("$tamrik" --panel sim:panel.sim -r 2>&1) && fail "the demo panel reads with a warning"

# Load that site, give it a serial number and Hungarian, write it; a second read shows them.
"$tamrik" --panel sim:panel.sim --load site.psf -s 1A2B3C4D -la 2 -w > out.txt 2> err.txt || fail "-w exit status"
grep -q '^Serial number set to 1A2B3C4D$' out.txt || fail "serial number not set"
grep -q '^Language set to 2$' out.txt || fail "language not set"
grep -q '^Success: Settings have been sent to the panel$' err.txt || fail "write not reported as a success"
TAMRIK_PANEL=sim:panel.sim "$tamrik" -R again.psf > out.txt 2> err.txt || fail "second read"
grep -q '^Serial number is 1A2B3C4D$' out.txt || fail "the panel does not hold the new serial number"
grep -q '^Language is 2$' out.txt || fail "the panel does not hold Hungarian"
grep -q '^PanelSnum = "1A2B3C4D"' again.psf || fail "the second reading's file"

# -r directly followed by -w saves into a file named -w and writes nothing.
cp panel.sim before.sim
"$tamrik" --panel sim:panel.sim -r -w > out.txt 2> err.txt || fail "-r -w exit status"
[ -f ./-w ] || fail "no file named -w"
grep -q "Writing settings" out.txt && fail "-r -w wrote to the panel"
cmp -s panel.sim before.sim || fail "the panel changed"

# A bad serial number or language: a clear error, nothing sent to the panel, status 2.
for arguments in "-s 12G45678 -w" "-s 123456789 -w" "-la 13 -w" "-la x -w" "-w -s"; do
    set +e
    # shellcheck disable=SC2086
    "$tamrik" --panel sim:panel.sim $arguments > out.txt 2> err.txt
    status=$?
    set -e
    [ "$status" -eq 2 ] || fail "'$arguments' gave status $status"
    [ -s err.txt ] || fail "'$arguments' printed no reason"
    grep -q "Writing settings" out.txt && fail "'$arguments' started a write"
    cmp -s panel.sim before.sim || fail "'$arguments' changed the panel"
done
grep -q "is not a language number from 0 to 12" <("$tamrik" -la 13 -w 2>&1) || fail "language message"

# A site file holding values its panel fields cannot carry: each is named, nothing is written, status 1.
sed -e 's/^Language = .*/Language = "200"/' -e 's/^NumZones = .*/NumZones = "-1"/' -e '/^Check = /d' site.psf > bad.psf
set +e
"$tamrik" --panel sim:panel.sim -ld --load bad.psf -w > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "writing values the panel cannot hold gave status $status"
grep -q "^tamrik: NumZones = -1: 1 to 32$" err.txt || fail "no line for NumZones"
grep -q "^tamrik: Language = 200: 0 to 12$" err.txt || fail "no line for Language"
cmp -s panel.sim before.sim || fail "values the panel cannot hold changed the panel"
echo "panel_read_write: ok"
