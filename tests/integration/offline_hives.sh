# The Windows build on the Windows folder and the hives of every example
# machine (made on the host by malvoret-windir, its hives filled through
# hivex): its reports of --windir (also with --details) and --hive must be
# the host build's, byte for byte, since both read the same files with the
# same reader.
host="${HOST_BUILD_DIR:-$SOURCE_DIR/build/host}"
report_exe="$BUILD_DIR/src/malvoret-report.exe"
status=0
new_prefix "$WINEPREFIX"
for json in "$SOURCE_DIR"/examples/machines/*.json; do
    name=$(basename "$json" .json)
    dir="$WORK_DIR/$name"
    windows="$dir/Windows"
    config="$windows/System32/config"
    mkdir -p "$dir"
    echo "== $name"
    "$host/src/malvoret-windir" "$json" "$windows"
    "$host/src/malvoret-report" --windir "$windows" --output "$dir/host-windir.txt" || true
    "$host/src/malvoret-report" --hive "$config/SYSTEM" --hive "$config/software" \
        --drivers "$windows/system32/DRIVERS" --output "$dir/host-hive.txt" || true
    run_wine "$report_exe" --windir "$(win_path "$windows")" \
        --output "$(win_path "$dir/wine-windir.txt")" || true
    run_wine "$report_exe" --hive "$(win_path "$config/SYSTEM")" \
        --hive "$(win_path "$config/software")" --drivers "$(win_path "$windows/system32/DRIVERS")" \
        --output "$(win_path "$dir/wine-hive.txt")" || true
    # With the device details: the INF folder looked in through the Windows folder.
    "$host/src/malvoret-report" --windir "$windows" --details \
        --output "$dir/host-windir-details.txt" || true
    run_wine "$report_exe" --windir "$(win_path "$windows")" --details \
        --output "$(win_path "$dir/wine-windir-details.txt")" || true
    for form in windir hive windir-details; do
        if [ -s "$dir/host-$form.txt" ] && cmp -s "$dir/host-$form.txt" "$dir/wine-$form.txt"; then
            echo "   --$form: same report"
        else
            echo "   --$form: FAILED: reports differ"
            diff -u "$dir/host-$form.txt" "$dir/wine-$form.txt" | head -20 | sed 's/^/   /'
            status=1
        fi
    done
done
return $status
