#!/usr/bin/env bash
# One desktop copy per user: a second start hands over and exits 0; command-line transfers refuse
# while a copy runs, and the site tools still work.
set -uo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
fail() { echo "FAIL: $*" >&2; kill "$first" 2>/dev/null; exit 1; }
export QT_QPA_PLATFORM=offscreen USER="tamrik-test-$$" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"
mkdir -p "$XDG_RUNTIME_DIR" "$TMPDIR" && chmod 700 "$XDG_RUNTIME_DIR"

"$tamrik" --panel sim:panel.bin > first.log 2>&1 &
first=$!
# The first copy answers once its local socket exists.
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/__Tamrik-$USER" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/__Tamrik-$USER" ] || fail "the first copy never started listening: $(cat first.log)"

"$tamrik" --panel sim:panel.bin -r site.psf > refused.txt 2>&1 && fail "a transfer ran beside the desktop"
grep -q "Another copy of the program is running" refused.txt || fail "no refusal: $(cat refused.txt)"
[ ! -e site.psf ] || fail "the refused read saved a file"

timeout 20 "$tamrik" > second.log 2>&1
[ $? -eq 0 ] || fail "the second start did not hand over with status 0"
kill -0 "$first" 2>/dev/null || fail "the first copy is gone"

"$tamrik" --new new.psf > /dev/null || fail "site tools need no single instance"
kill "$first"
wait "$first" 2>/dev/null
echo "single_instance: ok"
