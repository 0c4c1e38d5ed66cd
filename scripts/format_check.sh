#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says (clang-format --dry-run --Werror).
# Every file of src/, tests/, bench/ and fuzz/ is checked; extra arguments are files to check
# instead.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

FORMATTER="${CLANG_FORMAT:-clang-format}"
if ! command -v "$FORMATTER" >/dev/null; then
    echo "format_check: $FORMATTER not found (install the clang-format package)" >&2
    exit 2
fi

files=()
if (($# > 0)); then
    files=("$@")
else
    mapfile -t files < <(find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
fi

failed=0
for file in "${files[@]}"; do
    if [[ ! -f "$file" ]]; then
        echo "format_check: $file does not exist" >&2
        failed=1
    elif ! report="$("$FORMATTER" --dry-run --Werror "$file" 2>&1)"; then
        echo "format_check: $file is not formatted (run: $FORMATTER -i $file)" >&2
        head -n 12 <<<"$report" >&2
        failed=1
    fi
done
if ((failed)); then
    exit 1
fi
echo "format_check: ${#files[@]} files laid out as .clang-format says"
