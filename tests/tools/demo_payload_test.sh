#!/usr/bin/env bash
# The demo product through the packaging tool: pack twice (same bytes),
# list, verify, then a truncated archive and a flipped body byte must fail
# naming what is wrong.
#   demo_payload_test.sh QVPACK MANIFEST STAGE SCRATCH
set -euo pipefail
qvpack=$1 manifest=$2 stage=$3 scratch=$4
rm -rf "$scratch" && mkdir -p "$scratch" && cd "$scratch"

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_failure() { # archive, text the message must hold
  if "$qvpack" verify "$1" >out.txt 2>err.txt; then fail "$1 verified"; fi
  grep -qF -- "$2" err.txt || fail "$1: expected '$2', got: $(cat err.txt)"
}

"$qvpack" pack "$manifest" --root "$stage" -o first.bz2
"$qvpack" pack "$manifest" --root "$stage" -o second.bz2
cmp first.bz2 second.bz2 || fail "two packs differ"
[ "$(head -c 4 first.bz2)" = BZh9 ] || fail "not a block-size-9 bzip2 stream"

"$qvpack" list first.bz2 >list.txt
grep -q '^25 entries, ' list.txt || fail "list: $(tail -1 list.txt)"
[ "$(sed -n 2p list.txt | awk '{print $1}')" = shared_data ] || fail "first entry"
[ "$(sed -n 3p list.txt | awk '{print $2}')" = 0 ] || fail "second material not empty"
tail -2 list.txt | head -1 | grep -q 'program .*<InstallPath>  Kardelo.exe$' || fail "last entry"
"$qvpack" verify first.bz2 | grep -q 'every body verified' || fail "verify"

head -c $(($(stat -c %s first.bz2) / 2)) first.bz2 >truncated.bz2
expect_failure truncated.bz2 "bzip2 error"

# One byte of the last body changed, the archive otherwise intact.
bzip2 -dc first.bz2 >payload
size=$(stat -c %s payload)
printf '\x5a' | dd of=payload bs=1 seek=$((size - 100)) conv=notrunc status=none
bzip2 -9c payload >flipped.bz2
expect_failure flipped.bz2 "entry 25 (<InstallPath>\\Kardelo.exe): CRC-32"
echo "demo payload: pack, list and verify behave"
