#!/usr/bin/env bash
# cmake --install into an empty prefix holds exactly the expected files, the
# desktop entry starts the installed program by name, and its icon is there
# at every size.
#   check_install_tree.sh <build dir> <work dir> <with binary: 0|1>
source "$(dirname "$0")/common.sh"
build=$1 work=$2 with_binary=$3
rm -rf "$work"
prefix=$work/prefix
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" --component vuvuviro >/dev/null

got=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
same_list "installed files" "$(expected_files "$with_binary")" "$got" || fail "install tree"

entry=$prefix/share/applications/com.varnell.Vuvuviro.desktop
exec_line=$(desktop_value "$entry" Exec)
[ "$exec_line" = DErerevov ] || fail "Exec is '$exec_line', expected the bare program name DErerevov"
if [ "$with_binary" = 1 ]; then
    # What the menu starts is the program installed in bin/, the same file the
    # autostart entry names by its full path.
    [ -x "$prefix/bin/$exec_line" ] || fail "$prefix/bin/$exec_line is not an installed program"
fi
icon=$(desktop_value "$entry" Icon)
for size in 16 22 32 48 64 128; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$png" ] || fail "icon $icon missing at $size px"
    # PNG width and height live at bytes 16..23 of the header.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done
echo "install tree: $(echo "$got" | wc -l) files as expected"
