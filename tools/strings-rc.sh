#!/usr/bin/env bash
# Generates the string tables of the twenty languages as a resource script.
#   strings-rc.sh STRINGS_DIR OUTPUT.rc
# STRINGS_DIR holds one UTF-8 file per translated language ("NUMBER<TAB>text",
# "\r\n" written as such); every other language gets "#" for every message.
# The message numbers are those of en.txt.
set -euo pipefail
dir="$1" out="$2"

# code:string base, in table order.
languages="fr:1000 en:2000 de:3000 es:4000 pt:5000 nl:7000 da:8000 tr:9000 bg:11000
ro:12000 zh:10000 it:6000 cs:13000 no:14000 el:15000 pl:16000 he:17000 vi:18000
ja:19000 hu:20000"

{
  echo '// Generated from src/resources/strings/*.txt; edit those files instead.'
  echo '#pragma code_page(65001)'
  echo 'LANGUAGE 0, 0'
  for entry in $languages; do
    code=${entry%%:*} base=${entry##*:}
    file="$dir/$code.txt"
    [ -f "$file" ] || file=/dev/null
    echo "// $code"
    echo 'STRINGTABLE'
    echo 'BEGIN'
    awk -F '\t' -v base="$base" -v lang="$code" '
      FNR == NR { order[++n] = $1; next }
      { sub(/\r$/, ""); text[$1] = substr($0, length($1) + 2) }
      END {
        for (i = 1; i <= n; ++i) {
          num = order[i]
          t = (num in text) ? text[num] : "#"
          if (lang != "en" && !(num in text) && FILENAME != "/dev/null") {
            print "missing message " num " in " lang > "/dev/stderr"; exit 1
          }
          gsub(/"/, "\"\"", t)
          printf "  %d, L\"%s\"\n", num - 1000 + base, t
        }
      }' "$dir/en.txt" "$file"
    echo 'END'
  done
} > "$out.tmp"
mv "$out.tmp" "$out"
