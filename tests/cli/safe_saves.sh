#!/usr/bin/env bash
# Saves never destroy their input and never leave a half-written or hidden file behind.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tamrik" --new site.psf > /dev/null || fail "--new"
cp site.psf original.psf

# An output that is an input of the same command, however it is spelt, is refused and left alone.
ln site.psf hardlink.psf
for command in "--export log site.psf site.psf" "--export devices site.psf ./site.psf" \
    "--export report site.psf hardlink.psf" "--panel sim:site.psf -r ./site.psf"; do
    if $tamrik $command > out.txt 2> err.txt; then fail "'$command' succeeded"; fi
    grep -q "is the same file as" err.txt || fail "'$command': $(cat err.txt)"
    cmp -s site.psf original.psf || fail "'$command' changed its input"
done

# A FIFO is refused at once, with the reason.
mkfifo fifo.psf
if "$tamrik" --check fifo.psf > out.txt 2> err.txt; then fail "--check of a FIFO succeeded"; fi
grep -q "Couldn't open file 'fifo.psf': is not a regular file" err.txt || fail "FIFO: $(cat err.txt)"

# Killed at random moments, a save leaves the file absent or whole, never cut short.
mkdir saves
tries=0 leftovers=0
while [ "$tries" -lt 30 ]; do
    tries=$((tries + 1))
    rm -f saves/site.psf
    "$tamrik" --new saves/site.psf > /dev/null 2>&1 &
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -KILL $! 2> /dev/null || true
    wait $! 2> /dev/null || true
    [ ! -e saves/site.psf ] || cmp -s saves/site.psf original.psf || fail "try $tries left a damaged site file"
    [ "$(ls -A saves | grep -c tamrik-)" -eq 0 ] || leftovers=$((leftovers + 1))
done
echo "killed saves that left a temporary file: $leftovers of $tries"
"$tamrik" --new saves/site.psf > /dev/null || fail "the save after the kills"
"$tamrik" --check saves/site.psf > /dev/null 2> err.txt || [ ! -s err.txt ] || fail "saved site: $(cat err.txt)"
[ "$(ls -A saves)" = "site.psf" ] || fail "temporary files left beside the site: $(ls -A saves)"
echo "safe_saves: ok"
