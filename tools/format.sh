#!/bin/sh
# Checks the project's own C++ sources against the committed .clang-format
# (clang-format 14); with --fix, rewrites them in place instead.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

. "$top/tools/packages.sh"
command -v clang-format-14 >/dev/null || command -v clang-format >/dev/null || install_packages clang-format
format=$(command -v clang-format-14 || command -v clang-format)

files=$(git ls-files '*.cpp' '*.h')
if [ "$1" = "--fix" ]; then
    echo "$files" | xargs "$format" -i
else
    echo "$files" | xargs "$format" --dry-run -Werror
fi
