# Setup classes and devices described in the test binary, imported into the
# prefix's Control\Class and Enum keys, then read back through SetupAPI and
# compared with the description.
new_prefix "$WINEPREFIX"
reg="$WORK_DIR/devices.reg"
MVSI_DEVICES_REG=$(win_path "$reg") run_wine "$INTEGRATION_EXE" --gtest_brief=1 \
    --gtest_filter=DevicesOnWine.WriteRegistryFile
[ -s "$reg" ]
import_reg "$reg"
run_wine "$INTEGRATION_EXE" --gtest_brief=1 \
    --gtest_filter='DevicesOnWine.*:-DevicesOnWine.WriteRegistryFile'
