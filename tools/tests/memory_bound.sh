#!/usr/bin/env bash
# Memory: every command runs within 32 MiB of address space (so of resident
# memory too) whatever the shape of its input: one 200 MB line, 100 MB of
# short lines, a 200 MB run of spaces inside a line, and an endless stream
# of NULs, which text commands must refuse at once, as they must a NUL in a
# stream that has not ended.
#   memory_bound.sh ZODODE WORKDIR
set -euo pipefail
zodode=$1 work=$2
limit_kb=$((32 * 1024))

rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
unit=$'  Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln,\t\xe6\x9d\xb1\xe4\xba\xac, {\xf0\x9f\x98\x80}\\ done  '
(
  set +o pipefail
  yes "$unit" | tr -d '\n' | head -c 200000000 > "$work/one_line.txt"
  yes "$unit" | head -c 100000000 > "$work/lines.txt"
  { printf x; head -c 200000000 /dev/zero | tr '\0' ' '; printf y; } > "$work/spaces.txt"
)

failed=0
# run SHAPE COMMAND...: the command on the shape's file within the limit.
run() {
  local shape=$1
  shift
  if ! (ulimit -v "$limit_kb" && "$zodode" "$@" --quiet "$work/$shape.txt" > "$work/out" 2> "$work/err"); then
    echo "zodode $* on $shape: failed within $((limit_kb / 1024)) MiB: $(head -c 300 "$work/err")"
    failed=1
  fi
}

for shape in one_line lines; do
  for command in "rtf" "rtf --document" "latin1 --to" "case --upper" "align 60"; do
    run "$shape" $command
  done
done
for shape in one_line lines spaces; do
  # base64 and latin1 --from take no --quiet: run them plainly.
  for command in "base64" "latin1 --from" "trim" "split ," "join |"; do
    if ! (ulimit -v "$limit_kb" && "$zodode" $command "$work/$shape.txt" > "$work/out" 2> "$work/err"); then
      echo "zodode $command on $shape: failed within $((limit_kb / 1024)) MiB: $(head -c 300 "$work/err")"
      failed=1
    fi
    if [ "$shape" = spaces ] && [ "$command" != base64 ] && [ "$command" != "latin1 --from" ]; then
      # Inner white space stays, one line of one field: the input and a line feed.
      { cat "$work/spaces.txt"; echo; } | cmp -s - "$work/out" ||
        { echo "zodode $command changed the run of spaces"; failed=1; }
    fi
  done
done

# An endless stream of NULs: refused at its first byte, not read on.
for command in "rtf" "rtf --document" "latin1 --to" "latin1 --from" "case --upper" "trim" \
               "align 60" "split ," "join ,"; do
  status=0
  (ulimit -v "$limit_kb" && "$zodode" $command /dev/zero > /dev/null 2> "$work/err") || status=$?
  if [ "$status" != 1 ] || ! grep -q "^zodode: NUL byte at offset 0 of the input" "$work/err"; then
    echo "zodode $command /dev/zero: status $status, $(head -c 300 "$work/err")"
    failed=1
  fi
done

# A NUL in a stream that stays open: refused as soon as it arrives, without
# waiting for more input (the script holds the only writer of the FIFO).
mkfifo "$work/fifo"
exec 3<> "$work/fifo"
for command in "trim" "case --upper" "split ,"; do
  printf 'ab\0cd' >&3
  status=0
  timeout 60 "$zodode" $command "$work/fifo" > /dev/null 2> "$work/err" || status=$?
  if [ "$status" != 1 ] || ! grep -q "^zodode: NUL byte at offset 2 of the input" "$work/err"; then
    echo "zodode $command on an open stream with a NUL: status $status, $(head -c 300 "$work/err")"
    failed=1
  fi
done
exec 3>&-

[ "$failed" = 0 ] && echo "every command stayed within $((limit_kb / 1024)) MiB on every shape"
exit "$failed"
