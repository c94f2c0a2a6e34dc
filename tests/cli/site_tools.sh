#!/usr/bin/env bash
# --check and --export on site files, without a panel: output and files byte for byte.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
crlf() { printf '%s\r\n' "$@"; }

"$tamrik" --new site.psf > /dev/null || fail "--new"
# Edit the site by hand; its check line no longer matches, so -ld must come first.
sed -e 's/^Type_3 = "0"/Type_3 = "7"/' -e 's/^DeviceText_1 = "[^"]*"/DeviceText_1 = "HALL, EAST"/' \
    -e 's/^SiteName = ""/SiteName = "Depot"/' site.psf > edited.psf
printf 'FireEvent_1 = "5, 17, 946684800"\r\nNonFireEvent_1 = "133, 200, 946684801"\r\n' >> edited.psf

set +e
"$tamrik" --check edited.psf > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "a damaged site was checked (status $status)"
grep -q "Not done! File 'edited.psf' contains errors" err.txt || fail "refusal message"

set +e
"$tamrik" -ld --check edited.psf > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "a site with faults gave status $status"
# The design check of this site: the text without a device and the unsupported device first, the unused input groups of the
# default matrix, the empty site texts but the site name, the cut-off line, then the currents.
{
    printf '\n\n5300 Commissioning software V2.019\n'
    crlf "Text but no device at address 1" "Unsupported device at address 3"
    for output in $(seq 1 32); do
        for input in $(seq 2 31); do crlf "Output group $output is activated by unused input group $input"; done
    done
    for key in SiteNumber SiteContact SiteAddress SitePostcode SitePhone SiteComments SiteEngineer SiteCommission \
        SiteResistance SiteQuiescent SiteAlarm SiteBattery SiteBatteryType SiteBatteryInstallation; do
        crlf "Site Info '$key' requires a value"
    done
    crlf "* * * More than 20 faults * * *" "Quiescent Current: 0.00mA" "Alarm Current: 0.00mA"
} > expected.txt
cmp -s out.txt expected.txt || { diff expected.txt out.txt | head >&2 || true; fail "--check output"; }

# The four exports.
for kind in devices matrix text log; do
    "$tamrik" -ld --export "$kind" edited.psf "$kind.csv" > out.txt 2> /dev/null || fail "--export $kind"
done
[ "$(wc -l < devices.csv)" -eq 193 ] || fail "device export lines"
sed -n 2p devices.csv | cmp -s - <(crlf "1, 000000, 00, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A") ||
    fail "device export line of address 1"
sed -n 4p devices.csv | cmp -s - <(crlf "3, 000000, 07, 0, 0, 1, None, None, 1, 1, 0, 0, High, Automatic, Latching,N/A") ||
    fail "device export line of address 3"
[ "$(wc -l < matrix.csv)" -eq 36 ] || fail "matrix export lines"
head -n 1 matrix.csv | cmp -s - <(crlf ",$(for n in $(seq 1 32); do printf 'OPG%d,' "$n"; done)") || fail "matrix heading"
tail -n 1 matrix.csv | cmp -s - <(crlf "Sound Alarms,$(printf 'C,%.0s' $(seq 1 32))") || fail "matrix last line"
[ "$(wc -l < text.csv)" -eq 193 ] || fail "text export lines"
sed -n 2p text.csv | cmp -s - <(crlf '"HALL, EAST",Zone 01             ,    TARVEX 5300     ') || fail "text line 1"
cmp -s log.csv <(crlf "Event,Address,Zone,Time,Event text,On/Off" \
    "5,  17,,1/1/2000 0:00:00,   DEVICE IN ALARM   , ON" \
    "133, ,8, 1/1/2000 0:00:01,   DEVICE IN ALARM   , OFF") || { cat -A log.csv >&2; fail "log export"; }

# "-" as the output: the banner, then the same CSV on the output stream; the confirmation goes aside.
"$tamrik" -ld --export log edited.psf - > out.txt 2> err.txt || fail "--export to -"
cmp -s out.txt <(printf '\n\n5300 Commissioning software V2.019\n'; cat log.csv) || fail "--export to - output"
[ ! -e ./- ] || fail "--export made a file named -"
grep -q "Log exported" err.txt || fail "--export to - confirmation"

# Mistakes: a kind that does not exist, or a folder that does not.
set +e
"$tamrik" --export table site.psf out.csv > /dev/null 2>&1
[ $? -eq 2 ] || fail "unknown export kind"
"$tamrik" --export text site.psf no/such/folder/out.csv > /dev/null 2> err.txt
[ $? -eq 1 ] || fail "export into a missing folder"
set -e
grep -q "Could not export text" err.txt || fail "export failure message"

# --diff answers as diff does: 0 the same, 1 different (one line a setting), 2 trouble.
"$tamrik" --new a.psf > /dev/null && "$tamrik" --new b.psf > /dev/null
"$tamrik" --diff a.psf b.psf > out.txt || fail "--diff of equal sites"
[ "$(wc -l < out.txt)" -eq 3 ] || fail "--diff of equal sites printed more than the banner"
"$tamrik" --load b.psf -s 1A2B3C4D -la 2 --panel sim:diff.panel -w > /dev/null 2>&1 || fail "writing the panel"
set +e
"$tamrik" --panel sim:diff.panel --diff a.psf panel > out.txt 2> /dev/null
status=$?
"$tamrik" --diff a.psf no-such.psf > /dev/null 2>&1
missing=$?
set -e
[ "$status" -eq 1 ] || fail "--diff against a different panel gave status $status"
grep -qx "Panel serial number: 53000000 -> 1A2B3C4D" out.txt || fail "--diff serial line"
grep -qx "Language: English -> Hungarian" out.txt || fail "--diff language line"
[ "$missing" -eq 2 ] || fail "--diff with a missing file gave status $missing"
echo "site_tools: ok"
