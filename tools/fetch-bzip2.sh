#!/usr/bin/env bash
# Unpacks Debian's bzip2 source package into DEST (the library sources are
# compiled by the Windows builds; nothing of them is committed).
set -euo pipefail
dest="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq bzip2 >/dev/null 2>&1) || {
  echo "apt-get source bzip2 failed: is a deb-src entry present? (tools/deps.sh adds one)" >&2
  exit 1
}
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv "$work"/bzip2-*/ "$dest"
