#!/usr/bin/env bash
# The layering check (scripts/check-layers) on throwaway trees: includes against the direction
# (down-to-up, sideways between pages, the server into the program) are each named and fail the
# check; includes along it, a page's own folder, the server's own folders and the frame's
# includes of everything pass.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0; failed=0
check() {  # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what" >&2; fi
}
put() {  # file, then its include targets
  local file=$1; shift
  mkdir -p "$(dirname "$file")"
  for target in "$@"; do printf '#include "%s"\n' "$target"; done > "$file"
}

good=$work/good
put "$good/platform/a.cpp" "platform/b.h" "windows.h"
put "$good/net/a.cpp" "platform/b.h" "catalogue_rules/c.h" "net/d.h"
put "$good/page_machinery/a.h" "ui/win/label.h" "net/d.h"
put "$good/repair/a.cpp" "page_machinery/a.h" "repair/b.h" "platform/md5.h"
put "$good/app/frame.cpp" "repair/a.h" "functions/b.h" "downloads/c.h" "browser/d.h" "net/e.h"
put "$good/server/src/http/a.cpp" "catalogue/entry.h" "service/x.h" "catalogue_rules/c.h" "platform/p.h"
"$root/scripts/check-layers" "$good" > "$work/good.out" 2>&1
check "a tree that follows the direction passes" test $? -eq 0
check "and says how many files it read" grep -q "6 files" "$work/good.out"

bad=$work/bad
cp -a "$good" "$bad"
put "$bad/net/up.cpp" "page_machinery/app_state.h"
put "$bad/repair/sideways.cpp" "functions/game_subpage.h"
put "$bad/ui/win/up.h" "platform/text_conversion.h"
put "$bad/page_machinery/frame.h" "app/main_frame_window.h"
put "$bad/server/src/http/program.cpp" "net/catalogue_parser.h"
"$root/scripts/check-layers" "$bad" > "$work/bad.out" 2>&1
check "includes against the direction fail the check" test $? -eq 1
for line in "net/up.cpp:1: net/ may not include page_machinery/" \
            "repair/sideways.cpp:1: repair/ may not include functions/" \
            "ui/win/up.h:1: ui/ may not include platform/" \
            "page_machinery/frame.h:1: page_machinery/ may not include app/" \
            "server/src/http/program.cpp:1: server/ may not include net/" \
            "5 include(s) against the direction"; do
  check "names: $line" grep -qF "$line" "$work/bad.out"
done
check "nothing that follows the direction is named" test "$(grep -c 'may not include' "$work/bad.out")" -eq 5

"$root/scripts/check-layers" "$work/empty" > /dev/null 2>&1
check "a root with no sources is an error, not a pass" test $? -eq 2

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
