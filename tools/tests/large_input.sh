#!/usr/bin/env bash
# Streaming: every command on a 100 MB input must run in an address space far
# smaller than the input, so none of them holds the whole input at once.
#   large_input.sh ZODODE WORKDIR
set -euo pipefail
zodode=$1 work=$2
limit_kb=$((96 * 1024))  # the input alone is 100 MB

rm -rf "$work" && mkdir -p "$work"
line=$'  Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln,\t\xe6\x9d\xb1\xe4\xba\xac, \xf0\x9f\x98\x80 done  '
(set +o pipefail; yes "$line" | head -c 100000000 > "$work/big.txt")

run() {
  local start end
  start=$(date +%s%N)
  if ! (ulimit -v "$limit_kb" && "$zodode" "$@" "$work/big.txt" > "$work/out"); then
    echo "zodode $* failed on the 100 MB input within $((limit_kb / 1024)) MB of address space"
    exit 1
  fi
  end=$(date +%s%N)
  printf '%-22s %6d ms  %10d bytes out\n' "$*" $(((end - start) / 1000000)) "$(stat -c %s "$work/out")"
}

run base64
run rtf
run rtf --document
run latin1 --to
run case --upper
run trim
run align 60
run split ,
run join '|'
