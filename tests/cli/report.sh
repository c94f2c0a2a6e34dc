#!/usr/bin/env bash
# The commissioning report of a site read from the demo panel: a strict HTML5 document; a site file
# that fails its check only with -ld.
set -euo pipefail
tamrik=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
export -n TAMRIK_PANEL

"$tamrik" --panel sim:panel.sim -r demo.psf > /dev/null 2>&1 || fail "reading the demo panel"
"$tamrik" --export report demo.psf demo.html > out.txt 2> err.txt || fail "report exit status $?"
grep -qx "Report exported to 'demo.html'" out.txt || fail "report message: $(cat out.txt)"
/usr/bin/python3 - demo.html <<'PY' || fail "demo.html is not a strict HTML5 document"
import sys, html5lib
html5lib.HTMLParser(strict=True).parse(open(sys.argv[1], "rb").read())
PY
! grep -qiE '<script|<link|<img|<iframe|src=|url\(' demo.html || fail "the report loads or runs something"

# A site whose Check line does not match is refused without -ld, and nothing is written.
"$tamrik" --new new.psf > /dev/null
sed -i 's/^SiteName = ""/SiteName = "Changed by hand"/' new.psf
set +e
"$tamrik" --export report new.psf new.html > out.txt 2> err.txt
status=$?
set -e
[ "$status" -eq 1 ] || fail "a failing site gave status $status"
[ ! -e new.html ] || fail "a refused report was written"
"$tamrik" -ld --export report new.psf new.html > /dev/null 2>&1 || fail "-ld report"
grep -q "No devices are installed on the loop." new.html || fail "the empty loop is not mentioned"
echo "report: ok"
