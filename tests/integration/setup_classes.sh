# Wine's own setup classes in a fresh prefix, nobody's description: what
# --all-classes reports must be what class_probe.exe finds through SetupAPI
# a way of its own (classes, their devices, function drivers and device
# filters), and --class by name and by GUID must give the same bytes.
new_prefix "$WINEPREFIX"
report_exe="$BUILD_DIR/src/malvoret-report.exe"
run_wine "$BUILD_DIR/tests/integration/class_probe.exe" >"$WORK_DIR/probe.json"
run_wine "$report_exe" --all-classes --output "$(win_path "$WORK_DIR/all-classes.txt")"
run_wine "$report_exe" --no-usb --no-1394 --all-classes --format json \
    --output "$(win_path "$WORK_DIR/all-classes.json")"
python3 "$SOURCE_DIR/tests/integration/setup_classes_compare.py" \
    "$WORK_DIR/probe.json" "$WORK_DIR/all-classes.json" >"$WORK_DIR/classes.tsv"
sed 's/^/   /' "$WORK_DIR/classes.tsv"
while IFS='	' read -r guid name; do
    [ -n "$guid" ] || continue
    # The GUID in capitals and without braces, the name in lower case.
    bare=$(printf '%s' "$guid" | tr -d '{}' | tr 'a-f' 'A-F')
    lower=$(printf '%s' "$name" | tr 'A-Z' 'a-z')
    run_wine "$report_exe" --no-usb --no-1394 --class "$lower" \
        --output "$(win_path "$WORK_DIR/by-name.txt")"
    run_wine "$report_exe" --no-usb --no-1394 --class "$bare" \
        --output "$(win_path "$WORK_DIR/by-guid.txt")"
    cmp "$WORK_DIR/by-name.txt" "$WORK_DIR/by-guid.txt" || {
        echo "   FAILED: --class $lower and --class $bare differ"
        exit 1
    }
    grep -q "^   GUID:  $guid" "$WORK_DIR/by-name.txt" || {
        echo "   FAILED: --class $lower does not report $guid"
        exit 1
    }
done <"$WORK_DIR/classes.tsv"
# A name that no class has: exit 2 and the names to choose from.
rc=0
run_wine "$report_exe" --class NoSuchClass >"$WORK_DIR/bad.txt" 2>"$WORK_DIR/bad.err" || rc=$?
[ "$rc" = 2 ] || { echo "   FAILED: --class NoSuchClass exited $rc"; exit 1; }
grep -q "installed classes: " "$WORK_DIR/bad.err" || { cat "$WORK_DIR/bad.err"; exit 1; }
echo "   $(wc -l <"$WORK_DIR/classes.tsv") classes with present devices, the same both ways"
