# Helpers shared by the install checks.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# The expected files, without the binary when the build has none.
expected_files() {
    local with_binary=$1
    sed 's/#.*//; /^[[:space:]]*$/d' "$(dirname "${BASH_SOURCE[0]}")/expected_files.txt" |
        { if [ "$with_binary" = 1 ]; then cat; else grep -v '^bin/DErerevov$'; fi; } | sort
}

# Compares two sorted lists, printing what is missing and what is extra.
same_list() {
    local what=$1 want=$2 got=$3
    if ! diff <(echo "$want") <(echo "$got") >/dev/null; then
        echo "$what differs (< expected, > found):" >&2
        diff <(echo "$want") <(echo "$got") >&2 || true
        return 1
    fi
}

# Value of a key in a desktop entry's [Desktop Entry] group.
desktop_value() {
    awk -F= -v key="$2" '/^\[/{group=$0} group=="[Desktop Entry]" && $1==key {sub(/^[^=]*=/, ""); print; exit}' "$1"
}
