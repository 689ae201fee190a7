#!/bin/sh
# Formats the C++ sources of src/, tests/ and bench/ with the repository's
# .clang-format. With --check it changes nothing and fails, naming each
# place, when a file is not formatted.
set -e
cd "$(dirname "$0")/.."
FORMAT=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$FORMAT" ]; then
    echo "clang-format is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
files=$(find src tests bench \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
if [ "$1" = "--check" ]; then
    # shellcheck disable=SC2086
    "$FORMAT" --dry-run --Werror $files
    echo "All $(echo "$files" | wc -l) source files are formatted."
else
    # shellcheck disable=SC2086
    "$FORMAT" -i $files
fi
