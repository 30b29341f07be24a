# Every example machine twice: the Windows build with the real provider in a
# prefix built from the description, the host build on the description
# itself; the reports must match after the example's listed normalisations
# (differential/<example>.sed, one comment per Wine difference). Then both
# again with --details, after the differences the details add for every
# example (differential/details.sed).
host="${HOST_BUILD_DIR:-$SOURCE_DIR/build/host}"
report_exe="$BUILD_DIR/src/malvoret-report.exe"
details_rules="$SOURCE_DIR/tests/integration/differential/details.sed"
sed -n 's/^# diff: */with --details, for every example: /p' "$details_rules"
status=0
for json in "$SOURCE_DIR"/examples/machines/*.json; do
    name=$(basename "$json" .json)
    rules="$SOURCE_DIR/tests/integration/differential/$name.sed"
    dir="$WORK_DIR/$name"
    mkdir -p "$dir/gen"
    echo "== $name"
    if [ ! -f "$rules" ]; then
        echo "   FAILED: no list of differences ($rules)"
        status=1
        continue
    fi
    winver=$(sed -n 's/^# winver: *//p' "$rules")
    if [ "${WINEARCH:-win32}" = win64 ] && [ "$winver" = winxp ]; then
        echo "   SKIPPED: a 64-bit prefix offers no 32-bit Windows XP"
        continue
    fi
    "$host/src/malvoret-prefix" "$json" "$dir/gen" | sed 's/^/   /'
    described_prefix "$dir/prefix" "$dir/gen" "$winver"
    run_wine "$report_exe" --output "$(win_path "$dir/wine.txt")" || true
    "$host/src/malvoret-report" --system "$json" --output "$dir/host.txt" || true
    sed -n 's/^# diff: */   difference: /p' "$rules"
    # A 64-bit prefix is 64-bit Windows whatever the description says.
    word_size='s/^(   Operating System: .*) \((32|64) bit\)(\r?)$/\1 (N bit)\3/'
    if [ "${WINEARCH:-win32}" = win64 ]; then
        echo "   difference: the prefix is 64-bit Windows; the machine's word size is not compared"
    else
        word_size=''
    fi
    # normalise SIDE.txt into SIDE.norm with the example's rules (and more)
    normalise() {
        if grep -q '^# only: system' "$rules"; then
            # The rest of the report depends on the injected faults.
            LC_ALL=C awk '/^Device Setup Class:/ { exit } { print }' "$dir/$1.txt"
        else
            cat "$dir/$1.txt"
        fi | LC_ALL=C sed -E -f "$rules" | LC_ALL=C sed -E "$word_size" |
            LC_ALL=C sed -E -f "${2:-/dev/null}" >"$dir/$1.norm"
    }
    # compare WHAT: the Wine side's WHAT.norm with the host side's
    compare() {
        if cmp -s "$dir/wine$1.norm" "$dir/host$1.norm"; then
            echo "   same after the differences above${1:+ (--details)}"
        else
            echo "   FAILED: reports differ${1:+ (--details)}"
            diff -u "$dir/host$1.norm" "$dir/wine$1.norm" | head -40 | sed 's/^/   /'
            status=1
        fi
    }
    for side in wine host; do
        normalise $side
    done
    compare ""
    # The same with the device details, after the differences they add.
    run_wine "$report_exe" --details --output "$(win_path "$dir/wine-details.txt")" || true
    "$host/src/malvoret-report" --system "$json" --details --output "$dir/host-details.txt" || true
    for side in wine host; do
        normalise $side-details "$details_rules"
    done
    compare -details
    # Each "# options:" line: the same comparison with those options (setup
    # classes asked for by name or GUID, say).
    n=0
    sed -n 's/^# options: *//p' "$rules" | while read -r options; do
        n=$((n + 1))
        set -f
        # shellcheck disable=SC2086 # the options are words
        run_wine "$report_exe" $options --output "$(win_path "$dir/wine-$n.txt")" || true
        # shellcheck disable=SC2086
        "$host/src/malvoret-report" --system "$json" $options --output "$dir/host-$n.txt" || true
        set +f
        for side in wine host; do
            LC_ALL=C sed -E -f "$rules" "$dir/$side-$n.txt" | LC_ALL=C sed -E "$word_size" \
                >"$dir/$side-$n.norm"
        done
        if cmp -s "$dir/wine-$n.norm" "$dir/host-$n.norm"; then
            echo "   with $options: the same"
        else
            echo "   FAILED: with $options the reports differ"
            diff -u "$dir/host-$n.norm" "$dir/wine-$n.norm" | head -40 | sed 's/^/   /'
            exit 1
        fi
    done || status=1
    drop_prefix "$dir/prefix"
done
return $status
