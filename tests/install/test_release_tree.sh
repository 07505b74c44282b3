#!/usr/bin/env bash
# A release is only ever its commit. make release in a clone with a tracked file changed, or with
# a file added that git does not ignore, refuses in one line that names it, with a non-zero status,
# and makes no dist/; build folders do not count. The source tarball knows its commit's time, as
# the clone does, so that what is built from it is stamped alike.
# Usage: test_release_tree.sh SOURCE_DIR
source "$(dirname "$0")/../lib/common.sh"
git clone -q "$1" "$WORK/clone" || fail "cannot clone $1"
clone=$WORK/clone
refused() {  # $1: what was done, $2: what the line must name
  (cd "$clone" && make release >"$WORK/out" 2>"$WORK/err")
  local status=$?
  [ "$status" -ne 0 ] || fail "$1: make release succeeded"
  [ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -qF "$2" "$WORK/err" ||
    fail "$1: make release said: $(cat "$WORK/err")"
  [ ! -e "$clone/dist" ] || fail "$1: make release made dist/"
}
mkdir -p "$clone/build-package" && touch "$clone/build-package/left-over"
"$clone/tools/tree-is-its-commit.sh" 2>"$WORK/err" || fail "a clean clone is refused: $(cat "$WORK/err")"
echo "a change" >>"$clone/src/platform/web/index.html"
refused "a tracked file changed" "src/platform/web/index.html (changed)"
git -C "$clone" checkout -q -- src/platform/web/index.html
touch "$clone/src/extra.cpp"
refused "a new file" "src/extra.cpp (not in git)"
rm "$clone/src/extra.cpp"

mkdir "$WORK/tarball"
git -C "$clone" archive HEAD | tar -x -C "$WORK/tarball" || fail "cannot unpack the source of HEAD"
epoch=$("$WORK/tarball/tools/source-date-epoch.sh") || fail "the source tarball has no commit time"
[ "$epoch" = "$(git -C "$clone" log -1 --format=%ct)" ] ||
  fail "the source tarball says $epoch, the commit $(git -C "$clone" log -1 --format=%ct)"
"$WORK/tarball/tools/tree-is-its-commit.sh" || fail "the source tarball is refused"
exit 0
