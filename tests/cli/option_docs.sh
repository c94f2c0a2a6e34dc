#!/usr/bin/env bash
# The man page and the bash completion name exactly the options and export kinds that --help names.
set -euo pipefail
tamrik=$1 work=$2
packaging=$(cd "$(dirname "$0")/../../packaging" && pwd)
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tamrik" --help > help.txt
sed -nE 's/^  (-[^ ,]+)(, (-[^ ]+))?.*/\1 \3/p' help.txt | tr ' ' '\n' | grep . | sort > help.options
awk '/^\.TP/ { getline; if ($1 ~ /^\.B/) { gsub(/\\/, "", $2); print $2 } }' \
    "$packaging/tamrik.1" | grep -- '^-' | sort > man.options
sed -nE 's/^ *local options="(.*)"/\1/p' "$packaging/tamrik.bash-completion" | tr ' ' '\n' | sort > completion.options
diff help.options man.options || fail "the man page's options differ from --help"
diff help.options completion.options || fail "the completion's options differ from --help"

help_kinds=$(grep -oE -- '--export [a-z|]+' help.txt | cut -d' ' -f2 | tr '|' ' ')
completion_kinds=$(sed -nE 's/^ *local export_kinds="(.*)"/\1/p' "$packaging/tamrik.bash-completion")
[ "$help_kinds" = "$completion_kinds" ] || fail "export kinds: --help '$help_kinds', completion '$completion_kinds'"
grep -qF -- "$(tr ' ' '|' <<< "$help_kinds")" "$packaging/tamrik.1" || fail "the man page lacks the export kinds"
echo ok
