#!/usr/bin/env bash
# End to end: a UTF-8 sample becomes an RTF document through
# `zodode rtf --document`, LibreOffice reads the document and writes it back as
# text, and that text must equal the sample. A second document holds control
# characters: a form feed (\page) and a vertical tab (\line) must come back as
# breaks, and the others (\'hh) as nothing, not as stray text.
#   e2e_rtf.sh ZODODE SAMPLE CONTROLS WORKDIR
# Exit status 77 (skipped) when LibreOffice is not installed, unless
# ZODODE_REQUIRE_E2E is set (CI), where its absence is a failure.
set -euo pipefail
zodode=$1 sample=$2 controls=$3 work=$4

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ] && [ -n "${ZODODE_REQUIRE_E2E:-}" ]; then
  echo "soffice not found, and ZODODE_REQUIRE_E2E is set"
  exit 1
elif [ -z "$soffice" ]; then
  echo "SKIPPED: soffice not found; install libreoffice-writer-nogui to run this test"
  exit 77
fi

rm -rf "$work" && mkdir -p "$work/home" "$work/out"
"$zodode" rtf --document "$sample" > "$work/sample.rtf"
"$zodode" rtf --document "$controls" > "$work/controls.rtf"
# Its own profile directory, so the test neither reads nor changes the user's.
HOME="$work/home" "$soffice" --headless --norestore --convert-to txt:Text \
  --outdir "$work/out" "$work/sample.rtf" "$work/controls.rtf" > "$work/soffice.log" 2>&1 || {
  cat "$work/soffice.log"; exit 1; }

# LibreOffice's text export starts with a UTF-8 byte-order mark.
without_mark() {
  if [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ]; then
    tail -c +4 "$1"
  else
    cat "$1"
  fi
}
without_mark "$work/out/sample.txt" > "$work/read_back.txt"
if ! without_mark "$work/out/controls.txt" | cmp -s - <(printf 'a\nb\ncd\nef\ng\n'); then
  echo "LibreOffice read the control characters otherwise:"
  without_mark "$work/out/controls.txt" | od -c
  exit 1
fi
if ! cmp "$sample" "$work/read_back.txt"; then
  echo "LibreOffice read back other text than the sample:"
  diff "$sample" "$work/read_back.txt" || true
  exit 1
fi
echo "LibreOffice read back the $(wc -l < "$sample")-line sample unchanged"
