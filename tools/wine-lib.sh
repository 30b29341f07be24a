# Shell functions for the Wine scenarios (sourced, not run).
#   BUILD_DIR   the Windows build directory (build/win32)
#   SOURCE_DIR  the source tree
#   WORK_DIR    a directory of the scenario's own, emptied before it runs

# A fresh prefix at $1 (WINEARCH, 32-bit by default), copied from a pristine
# one made once and shared by the build directories beside $BUILD_DIR.
new_prefix() {
    pristine="$(dirname "$BUILD_DIR")/wine-pristine-${WINEARCH:-win32}"
    if [ ! -f "$pristine/system.reg" ]; then
        (
            flock 9
            if [ ! -f "$pristine/system.reg" ]; then
                rm -rf "$pristine"
                WINEPREFIX="$pristine" wineboot -i >/dev/null 2>&1 || true
                WINEPREFIX="$pristine" wineserver -w
            fi
        ) 9>"$pristine.lock"
    fi
    rm -rf "$1"
    cp -a "$pristine" "$1"
    export WINEPREFIX="$1"
}

# Stops the prefix at $1 and removes it: each is 0.6 GB (1.3 GB for 64-bit),
# more than a CI machine's disk holds if they are kept.
drop_prefix() {
    if [ -f "$1/system.reg" ]; then
        WINEPREFIX="$1" wineserver -k 2>/dev/null || true
        WINEPREFIX="$1" wineserver -w 2>/dev/null || true
    fi
    rm -rf "$1"
}

# A fresh prefix at $1 that holds a described machine, from the content that
# malvoret-prefix wrote into $2: release $3 (winecfg -v), registry, driver
# files. Leaves no wineserver running.
described_prefix() {
    new_prefix "$1"
    wine winecfg -v "$3" >/dev/null 2>&1
    wineserver -w
    import_reg "$2/machine.reg"
    sh "$2/build.sh" "$WINEPREFIX/drive_c/windows/system32/drivers" \
        i686-w64-mingw32-windres i686-w64-mingw32-gcc
    # The service manager and Plug and Play read the registry when they start.
    wineserver -k || true
}

# Runs a Windows program in the current prefix; output through files, since
# a pipe from Wine can stall.
run_wine() {
    _out=$(mktemp)
    _err=$(mktemp)
    _rc=0
    wine "$@" >"$_out" 2>"$_err" </dev/null || _rc=$?
    cat "$_out"
    cat "$_err" >&2
    rm -f "$_out" "$_err"
    return $_rc
}

# Imports a REGEDIT4 file into the current prefix.
import_reg() {
    wine regedit /S "$1" >/dev/null 2>&1
    wineserver -w
}

# Shows "Courier New" in Liberation Mono (fonts-liberation), the same
# metrics: a fresh prefix has no Courier New, and the report view's columns
# would not line up as a Windows user sees them.
map_courier_new() {
    _reg=$(mktemp)
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n"Courier New"="Liberation Mono"\n' >"$_reg"
    import_reg "$_reg"
    rm -f "$_reg"
}

# The Windows path (Z:\...) of a host path.
win_path() {
    printf 'Z:%s' "$1" | tr '/' '\\'
}

# Starts an X server of its own on a free display, with DISPLAY exported and
# its process in XVFB_PID; $1 is a scratch directory.
start_xvfb() {
    rm -f "$1/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    _i=0
    while [ ! -s "$1/display" ]; do
        _i=$((_i + 1))
        [ $_i -lt 200 ] || { echo "Xvfb did not start" >&2; return 1; }
        sleep 0.05
    done
    DISPLAY=":$(cat "$1/display")"
    export DISPLAY
}

# Wine's 32-bit loader is an i386 Linux program, and some kernels run none
# (built without IA-32 emulation: "Exec format error"). Debian's wine wrapper
# still picks that loader while wine32 is installed, so 64-bit programs would
# not start either. There, every wine call goes to the 64-bit loader, and
# 32-bit Windows programs cannot be run at all.
wine32_runs() {
    [ ! -x /usr/lib/wine/wine ] || /usr/lib/wine/wine --version >/dev/null 2>&1
}
if ! wine32_runs && [ -x /usr/lib/wine/wine64 ]; then
    _shim="${TMPDIR:-/tmp}/mvsi-wine64-loader"
    mkdir -p "$_shim"
    for _name in wine wine-stable; do
        if [ ! -x "$_shim/$_name" ]; then
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$_shim/$_name.$$"
            chmod 755 "$_shim/$_name.$$"
            mv -f "$_shim/$_name.$$" "$_shim/$_name"
        fi
    done
    case ":$PATH:" in
        *":$_shim:"*) ;;
        *) PATH="$_shim:$PATH" ;;
    esac
    WINELOADER=/usr/lib/wine/wine64
    export PATH WINELOADER
fi

# Says why a 32-bit run is left out; for callers that test wine32_runs.
no_wine32_note() {
    echo "SKIPPED: $1: this machine's kernel runs no 32-bit programs, so 32-bit Wine cannot start" >&2
}
