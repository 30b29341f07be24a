# Shell functions for the Wine scenarios (sourced, not run).
#   BUILD_DIR   the Windows build directory (build/win32)
#   SOURCE_DIR  the source tree
#   WORK_DIR    a directory of the scenario's own, emptied before it runs

# A fresh prefix at $1 (WINEARCH, 32-bit by default), copied from a pristine
# one made once and shared by the build directories beside $BUILD_DIR.
# WINEPREFIX is exported as an absolute path: wine and wineserver refuse a
# relative one.
new_prefix() {
    pristine="$(cd "$(dirname "$BUILD_DIR")" && pwd)/wine-pristine-${WINEARCH:-win32}"
    if [ ! -f "$pristine/system.reg" ]; then
        (
            flock 9
            if [ ! -f "$pristine/system.reg" ]; then
                drop_prefix "$pristine"
                WINEPREFIX="$pristine" wineboot -i >/dev/null 2>&1 || true
                WINEPREFIX="$pristine" wineserver -w
                stop_prefix "$pristine"
            fi
        ) 9>"$pristine.lock"
    fi
    # A prefix used before may still have a server saving into it.
    drop_prefix "$1"
    cp -a "$pristine" "$1"
    WINEPREFIX=$(cd "$1" && pwd)
    export WINEPREFIX
}

# The Wine processes of the prefix at $1 (or of any prefix below it), one pid
# a line, found through /proc: servers (they hold the prefix open), programs
# (working directory inside it, or WINEPREFIX naming it) and programs still
# waiting to connect (working directory in the server's socket directory,
# server-<device>-<inode> of the prefix). `wineserver -k` and `-w` find a
# server only through that socket directory, whose place depends on TMPDIR on
# Debian, and refuse a relative WINEPREFIX; this finds them all.
prefix_pids() {
    _pp_dir=$(cd "$1" 2>/dev/null && pwd -P) || _pp_dir=$1
    _pp_abs=$(cd "$1" 2>/dev/null && pwd) || _pp_abs=$1
    # A link target no process has, while the prefix is gone.
    _pp_sock=/
    if _pp_id=$(stat -c '%d %i' "$_pp_dir" 2>/dev/null); then
        # shellcheck disable=SC2086 # two numbers
        _pp_sock="*/$(printf 'server-%x-%x' $_pp_id)"
    fi
    _pp_wine=$(find /proc/[0-9]*/exe -maxdepth 0 -lname '*/wine*' -printf '%p\t%l\n' 2>/dev/null |
        sed -n 's|^/proc/\([0-9]*\)/exe\t.*/wine[^/]*$|\1|p')
    [ -n "$_pp_wine" ] || return 0
    set --
    _pp_env=
    for _pp_pid in $_pp_wine; do
        set -- "$@" "/proc/$_pp_pid/cwd" "/proc/$_pp_pid/fd"
        _pp_env="$_pp_env /proc/$_pp_pid/environ"
    done
    {
        find "$@" -maxdepth 1 \( -lname "$_pp_dir" -o -lname "$_pp_dir/*" -o \
            -lname "$_pp_dir (deleted)" -o -lname "$_pp_sock" -o -lname "$_pp_sock/*" \) \
            2>/dev/null
        # shellcheck disable=SC2086 # paths in /proc
        grep -lzxF -e "WINEPREFIX=$_pp_abs" -e "WINEPREFIX=$_pp_dir" $_pp_env 2>/dev/null
    } | sed -n 's|^/proc/\([0-9]*\)/.*|\1|p' | sort -un
}

# Ends every Wine process of the prefix at $1 and waits until none is left.
# Its server gets SIGINT, as from `wineserver -k`: it saves the registry and
# exits. The programs are killed, those not attached to it too: one waiting
# to connect would start a new server once the old one is gone, and that
# server would write into the prefix after it was removed. What is left
# after 10 s is killed; fails if a process outlives 30 s.
stop_prefix() {
    _sp_sent=" "
    _sp_start=$(date +%s)
    while :; do
        _sp_pids=$(prefix_pids "$1")
        [ -n "$_sp_pids" ] || return 0
        _sp_time=$(($(date +%s) - _sp_start))
        if [ $_sp_time -ge 30 ]; then
            echo "stop_prefix: $1: Wine processes still running after 30 s:" \
                "$(echo "$_sp_pids" | tr '\n' ' ')" >&2
            return 1
        fi
        for _sp_pid in $_sp_pids; do
            _sp_exe=$(readlink "/proc/$_sp_pid/exe" 2>/dev/null) || continue
            case ${_sp_exe##*/} in
            wineserver*)
                case $_sp_sent in
                *" $_sp_pid "*) [ $_sp_time -ge 10 ] || continue ;;
                *)
                    kill -INT "$_sp_pid" 2>/dev/null || true
                    kill -CONT "$_sp_pid" 2>/dev/null || true
                    _sp_sent="$_sp_sent$_sp_pid "
                    continue
                    ;;
                esac
                ;;
            esac
            kill -KILL "$_sp_pid" 2>/dev/null || true
        done
        sleep 0.2
    done
}

# Removes the prefix at $1 (or a folder holding prefixes) once no Wine process
# of it is left: each is 0.6 GB (1.3 GB for 64-bit), more than a CI machine's
# disk holds if they are kept. A removal that fails (a server that came back
# wrote into it) is tried again, five times in all, then reported.
drop_prefix() {
    _dp_try=1
    while [ -e "$1" ]; do
        stop_prefix "$1" || true
        rm -rf "$1" 2>/dev/null || true
        [ -e "$1" ] || return 0
        if [ $_dp_try -ge 5 ]; then
            echo "drop_prefix: cannot remove $1 (tried $_dp_try times); left in it:" \
                "$(ls -A "$1" 2>&1 | tr '\n' ' ')" >&2
            _dp_pids=$(prefix_pids "$1")
            [ -z "$_dp_pids" ] ||
                echo "drop_prefix: Wine processes of $1: $(echo "$_dp_pids" | tr '\n' ' ')" >&2
            return 1
        fi
        _dp_try=$((_dp_try + 1))
        sleep 1
    done
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
    stop_prefix "$WINEPREFIX"
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
