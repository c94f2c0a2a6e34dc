#!/usr/bin/env bash
# -f programs the simulated panel's firmware from a HEX file, refusing what it must not install.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL

# hexrec TYPE ADDRESS BYTE...: one Intel HEX record with its checksum.
hexrec() {
    local type=$1 address=$2
    shift 2
    local sum=$(($# + (address >> 8) + (address & 255) + type)) line byte
    line=$(printf ':%02X%04X%02X' "$#" "$address" "$type")
    for byte in "$@"; do
        sum=$((sum + byte))
        line+=$(printf '%02X' "$byte")
    done
    printf '%s%02X\r\n' "$line" $(((256 - sum % 256) % 256))
}
# firmware VERSION TYPE: a HEX file that puts the 8 version and 10 type characters in their place,
# two characters in the first two bytes of each program word.
firmware() {
    local version=$1 type i values=()
    type=$(printf '%-10s' "$2")
    for ((i = 0; i < 8; i += 2)); do values+=("$(printf '%d' "'${version:i:1}")" "$(printf '%d' "'${version:i+1:1}")" 0 0); done
    for ((i = 0; i < 10; i += 2)); do values+=("$(printf '%d' "'${type:i:1}")" "$(printf '%d' "'${type:i+1:1}")" 0 0); done
    hexrec 4 0 0 0
    hexrec 0 $((0xA224)) "${values[@]}"
    hexrec 1 0
}
run() {
    set +e
    "$tamrik" --panel sim:panel.sim "$@" > out.txt 2> err.txt
    status=$?
    set -e
}
panel_version() {
    "$tamrik" --panel sim:panel.sim -r site.psf > /dev/null 2>&1 || fail "reading the panel"
    grep '^FirmwareVersion = ' site.psf | tr -d '\r'
}

firmware 12600000 5300 > newer.hex
firmware 12400000 5300 > older.hex
firmware 12700000 7300 > unknown.hex
sed 's/..\r$/00\r/' newer.hex > damaged.hex

before=$(panel_version)
run -f newer.hex
[ "$status" -eq 0 ] || { cat err.txt >&2; fail "-f gave status $status"; }
head -n 5 out.txt | tail -n 2 | diff - <(printf "Writing firmware from file 'newer.hex'\nUsing the simulated panel (panel.sim)\n") > /dev/null ||
    fail "-f opening lines"
tail -n 1 out.txt | grep -qx Done || fail "-f does not end with Done"
grep -qx "Success: Firmware written to the panel" err.txt || fail "-f success message"
[ "$(panel_version)" = 'FirmwareVersion = "1.260 / 0.000"' ] || fail "the panel runs $(panel_version), was $before"

# An older version is not installed without an answer; a file of an unknown type or with a damaged
# record is refused. Each ends with status 1 and leaves the panel's firmware alone.
for file in older.hex unknown.hex damaged.hex missing.hex; do
    run -f "$file"
    [ "$status" -eq 1 ] || fail "$file gave status $status"
    tail -n 1 out.txt | grep -qx Done || fail "$file does not end with Done"
    [ "$(panel_version)" = 'FirmwareVersion = "1.260 / 0.000"' ] || fail "$file changed the firmware"
done
run -f older.hex
grep -q "^(answered no)$" err.txt || fail "older version: no question"
run -f unknown.hex
grep -q "unknown.hex: the firmware type is unknown" err.txt || fail "unknown type message"
run -f damaged.hex
grep -q "damaged.hex: line 1: the record checksum is wrong" err.txt || fail "damaged record message"
echo "firmware: ok"
