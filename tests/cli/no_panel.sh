#!/usr/bin/env bash
# Without a panel on USB: the transfers say why, print Done, end with status 1 and save nothing.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL

# Only meaningful where no panel is plugged in.
if ls /dev/hidraw* > /dev/null 2>&1 && grep -qis '04D8.*FB4C' /sys/class/hidraw/*/device/uevent; then
    echo "no_panel: skipped, a panel is attached"
    exit 0
fi

set +e
"$tamrik" --panel usb -r site.psf -w > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "-r gave status $status"
# The progress goes to the error stream with the messages; the output stream keeps the results.
diff <(printf '\n\n5300 Commissioning software V2.019\nDone\n') out.txt > /dev/null ||
    { cat out.txt >&2; fail "-r output"; }
diff <(printf "Reading site data...\n5300 Commissioning software Error: Fault with connection to panel\ntamrik: the panel was not read; 'site.psf' was not saved\n") err.txt > /dev/null ||
    { cat err.txt >&2; fail "-r messages"; }
[ ! -e site.psf ] || fail "a failed read saved a file"

set +e
"$tamrik" -w > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "-w gave status $status"
tail -n 1 out.txt | grep -qx "Done" || fail "-w does not end with Done"
grep -q "^Fail!: Settings have NOT been written to panel$" err.txt || fail "-w failure message"
echo "no_panel: ok"
