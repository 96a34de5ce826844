#!/usr/bin/env bash
# Compiles (without linking) every source file of the logic folders with the mingw-w64 cross
# compiler, so that they keep to the standard library and platform/*.h.
set -euo pipefail
cd "$(dirname "$0")/.."
cxx=x86_64-w64-mingw32-g++-posix
failed=0
count=0
for folder in web regex search links share board ticker app; do
  [ -d "$folder" ] || continue
  for f in "$folder"/*.cpp; do
    [ -e "$f" ] || continue
    count=$((count + 1))
    if ! "$cxx" -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I. "$f"; then
      echo "cross-check: $f does not compile for Windows" >&2
      failed=1
    fi
  done
done
echo "cross-check: $count logic files compiled with $cxx"
exit $failed
