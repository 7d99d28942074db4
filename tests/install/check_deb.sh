#!/usr/bin/env bash
# Builds the Debian package once with CPack, then: dpkg-deb lists exactly the
# expected files under /usr, Depends was computed from the binary's
# libraries, and lintian reports no errors.
#   check_deb.sh <build dir> <work dir> <with binary: 0|1>
source "$(dirname "$0")/common.sh"
build=$1 work=$2 with_binary=$3
rm -rf "$work"
"${CPACK:-cpack}" --config "$build/CPackConfig.cmake" -B "$work" >"$work.cpack.log" 2>&1 || {
    cat "$work.cpack.log" >&2
    fail "cpack"
}
debs=("$work"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $work"
deb=${debs[0]}
echo "built $(basename "$deb")"

listed=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort)
same_list "package contents" "$(expected_files "$with_binary")" "$listed" || fail "package contents"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
if [ "$with_binary" = 1 ]; then
    case $depends in
        *libc6*libqt6*) ;;
        *) fail "Depends was not computed from the binary's libraries" ;;
    esac
fi
[ "$(dpkg-deb -f "$deb" Package)" = vuvuviro ] || fail "Package name"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"

report=$(lintian --fail-on none "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$report" ] && echo "$report"
if echo "$report" | grep -q '^E:'; then fail "lintian reports errors"; fi
echo "lintian: no errors"
