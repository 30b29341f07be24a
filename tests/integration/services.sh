# Services, driver files and their version resources: the real provider under
# Wine against the simulated machine with the same description.
new_prefix "$WINEPREFIX"
drivers="$WINEPREFIX/drive_c/windows/system32/drivers"
mkdir -p "$drivers"
cp "$BUILD_DIR/tests/integration/drivers/"*.sys "$drivers/"

# The description's services as registry content, written by the test binary.
MVSI_SERVICES_REG="$(win_path "$WORK_DIR/services.reg")" \
    run_wine "$INTEGRATION_EXE" --gtest_filter='ServicesPrefix.*' >"$WORK_DIR/prefix.log"
import_reg "$WORK_DIR/services.reg"
# The service manager reads its database when it starts.
wineserver -k || true
run_wine "$INTEGRATION_EXE" --gtest_filter='ServicesWine.*'
