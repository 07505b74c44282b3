#!/usr/bin/env bash
# The snapshot tool from the command line: a good run writes a PNG of the asked size; every bad
# input gets one line on stderr, a non-zero status and no file; a signal or a file-size limit
# mid-write leaves nothing behind; special files are refused and links followed.
source "$(dirname "$0")/../lib/common.sh"
tool=$1
dir=$WORK

"$tool" --passes 100 --size 320x200 --out "$dir/ok.png" || problem "good run failed"
size=$(identify -format '%wx%h' "$dir/ok.png" 2>/dev/null)
[ "$size" = "320x200" ] || problem "ok.png is '$size', not 320x200"
rm -f "$dir/ok.png"

"$tool" --passes 10 --dpi 192 --out "$dir/big.png" || problem "192 dpi run failed"
size=$(identify -format '%wx%h' "$dir/big.png" 2>/dev/null)
[ "$size" = "2560x1280" ] || problem "at 192 dpi the picture is '$size', not 2560x1280"
rm -f "$dir/big.png"

"$tool" --passes 10 --size 200x100 --gif "$dir/ok.gif" --seconds 0.2 || problem "good GIF failed"
frames=$(identify "$dir/ok.gif" 2>/dev/null | wc -l)
[ "$frames" = "5" ] || problem "ok.gif has $frames frames, not 5"
rm -f "$dir/ok.gif"

# To standard output as tools do, but never onto a terminal.
size=$("$tool" --passes=10 --size=20x10 --out=- | identify -format '%wx%h' - 2>/dev/null)
[ "$size" = "20x10" ] || problem "--out - gave '$size', not a 20x10 PNG"
script -qec "$tool --passes 10 --out -" /dev/null | grep -q 'terminal' ||
  problem "--out - wrote onto a terminal"

"$tool" --version | grep -qx 'drelm-wheel-snapshot 1.00' || problem "--version is not 1.00"
"$tool" --help | grep -q -- '--passes N' || problem "--help does not describe --passes"

bad() {
  local err status
  err=$("$tool" "$@" 2>&1 >/dev/null)
  status=$?
  if [ $status -eq 0 ]; then problem "status 0 for: $*"; fi
  if [ -z "$err" ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    problem "not one line for: $* -> $err"
  fi
  if [ -n "$(ls -A "$dir")" ]; then problem "left files for: $*: $(ls -A "$dir")"; fi
}
bad --passes -5 --out "$dir/a.png"
bad --passes abc --out "$dir/a.png"
bad --passes 5000000000 --out "$dir/a.png"
bad --size 0x5 --out "$dir/a.png"
bad --size 9000x100 --out "$dir/a.png"
bad --size 100 --out "$dir/a.png"
bad --dpi 0 --out "$dir/a.png"
bad --out "$dir/a.jpg"
bad --gif "$dir/a.png"
bad --colour red --out "$dir/a.png"
bad --passes 3
bad --out "$dir/no/such/dir/a.png"
bad --gif "$dir/a.gif" --seconds 0
bad --gif "$dir/a.gif" --seconds 100
bad --gif "$dir/a.gif" --fps 0
bad --gif "$dir/a.gif" --fps many
bad --gif "$dir/a.gif" --out "$dir/a.png"
bad --out "$dir/a.png" --fps 10
bad --gif "$dir/no/such/dir/a.gif"
bad --passes -0 --out "$dir/a.png"
bad --passes +5 --out "$dir/a.png"
bad --size $'10x10\n' --out "$dir/a.png"
bad --out "$dir/"$'no\nsuch/a.png'
err=$("$tool" --help 2>&1 >/dev/full) && problem "--help to a full disk succeeded"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || problem "--help to a full disk: $err"

# Killed mid-write, or stopped by a file-size limit: nothing is left, and the limit says so.
# The run has a file open in the folder (unnamed until it is whole).
writing() {
  ls -l "/proc/$pid/fd" 2>/dev/null | grep -qF -- "$dir/"
}
for signal in INT TERM HUP; do
  env --default-signal=INT "$tool" --size 2000x1000 --gif "$dir/x.gif" --seconds 60 --fps 50 &
  pid=$!
  wait_until "$DEADLINE" writing || problem "no file begun within $DEADLINE s"
  kill -s $signal $pid
  wait $pid 2>/dev/null
  [ $? -gt 128 ] || problem "SIG$signal did not end the run"
  [ -z "$(ls -A "$dir")" ] || problem "SIG$signal left $(ls -A "$dir")"
done
err=$(ulimit -f 1; "$tool" --out "$dir/a.png" 2>&1) && problem "a file-size limit passed"
[ "$err" = "drelm-wheel-snapshot: cannot write $dir/a.png: File too large" ] ||
  problem "a file-size limit says: $err"
[ -z "$(ls -A "$dir")" ] || problem "a file-size limit left $(ls -A "$dir")"

# A GIF stopped by the limit says so in the system's words, as a PNG does.
err=$(ulimit -f 20; "$tool" --gif "$dir/b.gif" --seconds 20 --size 1000x800 2>&1)
[ "$err" = "drelm-wheel-snapshot: cannot write $dir/b.gif: File too large" ] ||
  problem "a file-size limit on a GIF says: $err"
[ -z "$(ls -A "$dir")" ] || problem "a file-size limit on a GIF left $(ls -A "$dir")"

# A file replaced keeps its mode and, as root, its owner.
owner=$(id -un)
[ "$(id -u)" -eq 0 ] && owner=nobody
touch "$dir/private.png"
chmod 600 "$dir/private.png"
chown "$owner" "$dir/private.png"
"$tool" --passes 5 --out "$dir/private.png" || problem "replacing a private file failed"
kept=$(stat -c '%a %U' "$dir/private.png")
[ "$kept" = "600 $owner" ] || problem "the replaced file is $kept, not 600 $owner"
rm -f "$dir/private.png"

# Links in a loop are refused and stay as they were.
ln -s loop.png "$dir/loop.png"
ln -s b.png "$dir/a.png"
ln -s a.png "$dir/b.png"
for link in loop.png a.png; do
  err=$("$tool" --passes 3 --out "$dir/$link" 2>&1) && problem "wrote through the loop at $link"
  [ "$err" = "drelm-wheel-snapshot: cannot write $dir/$link: Too many levels of symbolic links" ] ||
    problem "a loop at $link says: $err"
done
[ "$(readlink "$dir/loop.png") $(readlink "$dir/a.png") $(readlink "$dir/b.png")" = \
  "loop.png b.png a.png" ] || problem "the links in a loop were changed"
rm -f "$dir/loop.png" "$dir/a.png" "$dir/b.png"

# A name of 255 characters is a valid one.
long=$(printf 'a%.0s' $(seq 251)).png
"$tool" --out "$dir/$long" || problem "a 255-character name was refused"
rm -f "$dir/$long"

# Special files are refused; a link is followed and kept.
special=$WORK/special
mkdir "$special"
mkfifo "$special/fifo"
mkdir "$special/folder"
[ "$(id -u)" -eq 0 ] && mknod "$special/null" c 1 3
for target in "$special"/*; do
  err=$("$tool" --out "$target" 2>&1) && problem "wrote over $target"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || problem "not one line for $target"
done
[ -p "$special/fifo" ] && [ -d "$special/folder" ] || problem "a special file was replaced"
[ "$(id -u)" -ne 0 ] || [ -c "$special/null" ] || problem "the device was replaced"
ln -s real.png "$special/link.png"
"$tool" --out "$special/link.png" || problem "writing through a link failed"
[ -L "$special/link.png" ] && [ -f "$special/real.png" ] || problem "the link was not kept"
rm -rf "$special"

finish
