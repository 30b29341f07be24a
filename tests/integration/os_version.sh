# Version probing under Wine set to three Windows versions in turn; each
# time the probing must find the version the prefix was set to, and what a
# described machine with the same facts gives.
versions="winxp:WindowsXP win7:Windows7 win10:Windows10"
# A 64-bit prefix offers no 32-bit Windows XP.
[ "${WINEARCH:-win32}" = win32 ] || versions="win7:Windows7 win10:Windows10"
new_prefix "$WINEPREFIX"
for version in $versions; do
    winecfg -v "${version%%:*}" >/dev/null 2>&1
    wineserver -w
    echo "Windows version ${version%%:*}"
    run_wine "$INTEGRATION_EXE" --gtest_brief=1 \
        --gtest_filter="OsVersionOnWine.ProbingFinds*:OsVersionOnWine.EveryComparison*:OsVersionOnWine.Is${version#*:}"
done

# The same program in a 64-bit prefix: under WOW64 if it is the 32-bit one.
drop_prefix "$WINEPREFIX"
export WINEARCH=win64
new_prefix "$WORK_DIR/prefix64"
echo "64-bit prefix"
run_wine "$INTEGRATION_EXE" --gtest_brief=1 \
    --gtest_filter="OsVersionOnWine.ProbingFinds*:OsVersionOnWine.EveryComparison*:OsVersionOnWine.SeesA64BitPrefix"
drop_prefix "$WINEPREFIX"
