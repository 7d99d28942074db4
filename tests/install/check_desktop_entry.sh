#!/usr/bin/env bash
# desktop-file-validate accepts the desktop entry; it has the fields the menu
# needs and passes no arguments, since the program takes none.
#   check_desktop_entry.sh <desktop file>
source "$(dirname "$0")/common.sh"
entry=$1
desktop-file-validate "$entry" || fail "desktop-file-validate rejected $entry"
[ "$(desktop_value "$entry" Type)" = Application ] || fail "Type"
[ "$(desktop_value "$entry" Name)" = "Varnell Vuvuviro" ] || fail "Name"
[ "$(desktop_value "$entry" Categories)" = "System;Utility;" ] || fail "Categories"
[ "$(desktop_value "$entry" Icon)" = com.varnell.Vuvuviro ] || fail "Icon"
case $(desktop_value "$entry" Exec) in
    *" "* | *%*) fail "Exec carries arguments or field codes" ;;
esac
echo "desktop entry accepted"
