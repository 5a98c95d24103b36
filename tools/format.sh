#!/bin/sh
# Checks the project's own C++ sources against the committed .clang-format
# (clang-format 14); with --fix, rewrites them in place instead.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: clang-format" >&2
    $sudo apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang-format >&2
    format=$(command -v clang-format-14 || command -v clang-format)
fi

files=$(git ls-files '*.cpp' '*.h')
if [ "$1" = "--fix" ]; then
    echo "$files" | xargs "$format" -i
else
    echo "$files" | xargs "$format" --dry-run -Werror
fi
