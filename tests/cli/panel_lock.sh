#!/usr/bin/env bash
# One transfer at a time on a panel: concurrent writes, a write killed half-way, a read-only panel file.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL
state_size=$((0x55000 + 8192))

"$tamrik" --panel sim:panel.sim -r site.psf > /dev/null 2>&1 || fail "first read"

# A panel another program holds is refused at once, with nothing written; free again, it is written.
cp panel.sim before.sim
exec 9< panel.sim
flock -n 9 || fail "the test could not hold the panel"
set +e
"$tamrik" --panel sim:panel.sim --load site.psf -s 0000ABCD -w > out.txt 2> err.txt
status=$?
set -e
[ $status = 1 ] || fail "a held panel: exit status $status"
grep -q 'The panel is in use by another program$' err.txt || fail "a held panel: $(cat err.txt)"
cmp -s panel.sim before.sim || fail "a held panel changed"
exec 9<&-
"$tamrik" --panel sim:panel.sim --load site.psf -s 0000ABCD -w > out.txt 2> err.txt || fail "a freed panel: $(cat err.txt)"

# Pairs of writes of two different sites at once: each either succeeds or is refused as "in use"
# with nothing changed, and the panel read afterwards holds exactly the site last reported written.
write_a() { "$tamrik" --panel sim:panel.sim --load site.psf -s 0000000A -w; }
write_b() { "$tamrik" --panel sim:panel.sim -s 0000000B -w; }  # the new default site
reset_panel() { "$tamrik" --panel sim:panel.sim --load site.psf -s 0000000C -w > /dev/null 2>&1 || fail "reset"; }
read_to() { "$tamrik" --panel sim:panel.sim -r "$1" > /dev/null 2> err.txt || fail "read to $1: $(cat err.txt)"; }
write_a > /dev/null 2>&1 && read_to a.psf
write_b > /dev/null 2>&1 && read_to b.psf
cmp -s a.psf b.psf && fail "the two sites read back alike"
for pair in $(seq 1 20); do
    reset_panel
    write_a > a.out 2> a.err & pa=$!
    write_b > b.out 2> b.err & pb=$!
    sa=0 sb=0
    wait $pa || sa=$?
    wait $pb || sb=$?
    for side in a b; do
        status=$([ $side = a ] && echo $sa || echo $sb)
        if [ "$status" = 0 ]; then
            grep -q '^Success: Settings have been sent to the panel$' $side.err || fail "pair $pair: $side: exit 0 without success"
        else
            [ "$status" = 1 ] || fail "pair $pair: $side: exit status $status"
            grep -q 'The panel is in use by another program$' $side.err || fail "pair $pair: $side: $(cat $side.err)"
            grep -q '^Success' $side.err && fail "pair $pair: $side: refused but reported a success"
        fi
    done
    read_to check.psf
    "$tamrik" --load check.psf -? > load.txt 2>&1 || fail "pair $pair: the site read does not load"
    grep -q "^Site info. loaded from file 'check.psf'$" load.txt || fail "pair $pair: the site read fails its check"
    if [ $sa = 0 ] && [ $sb = 0 ]; then
        cmp -s check.psf a.psf || cmp -s check.psf b.psf || fail "pair $pair: the panel holds a mixed site"
    elif [ $sa = 0 ]; then
        cmp -s check.psf a.psf || fail "pair $pair: the write reported done is lost or mixed"
    elif [ $sb = 0 ]; then
        cmp -s check.psf b.psf || fail "pair $pair: the write reported done is lost or mixed"
    else
        fail "pair $pair: neither write succeeded"
    fi
done

# A write killed at any moment leaves a whole panel file and releases the panel.
for try in $(seq 1 12); do
    "$tamrik" --panel sim:panel.sim --load site.psf -w > /dev/null 2>&1 & pid=$!
    sleep "0.0$((RANDOM % 10))$((RANDOM % 10))"
    kill -KILL $pid 2> /dev/null || true
    wait $pid 2> /dev/null || true
    [ "$(stat -c %s panel.sim)" = "$state_size" ] || fail "try $try: the panel file is $(stat -c %s panel.sim) bytes"
    "$tamrik" --panel sim:panel.sim --load site.psf -w > out.txt 2> err.txt || fail "try $try: the next write: $(cat err.txt)"
done

# A panel file that can't be written is refused for a write at once, not reported written.
cp panel.sim before.sim
chmod a-w panel.sim
set +e
"$tamrik" --panel sim:panel.sim --load site.psf -s 0000ABCD -w > out.txt 2> err.txt
status=$?
set -e
[ $status = 1 ] || fail "a read-only panel: exit status $status"
grep -q 'The simulated panel cannot be changed: panel.sim is read-only$' err.txt || fail "read-only: $(cat err.txt)"
grep -q '^Success' err.txt && fail "a read-only panel reported written"
cmp -s panel.sim before.sim || fail "the read-only panel changed"
"$tamrik" --panel sim:panel.sim -r > /dev/null 2>&1 || fail "a read-only panel can't be read"
echo "ok"
