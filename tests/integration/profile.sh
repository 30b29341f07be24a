# The trace configuration file under Wine: a copy of the test binary with an
# empty configuration file beside it, filled by the real profile functions.
new_prefix "$WINEPREFIX"
app="$WORK_DIR/app"
mkdir -p "$app"
cp "$INTEGRATION_EXE" "$app/mvsi_integration_tests.exe"
: >"$app/mvsi_integration_tests.cfg"
run_wine "$app/mvsi_integration_tests.exe" --gtest_filter='ProfileTest.*' --gtest_brief=1
# Filled, not created elsewhere.
test -s "$app/mvsi_integration_tests.cfg"
