# Dropping a prefix that is still in use leaves nothing behind: no folder, no
# Wine process of it, and nothing written into its place afterwards. Each
# case has the prefix's server busy at the moment the prefix is dropped or
# made again. Needs no build of ours: Wine's own cmd.exe keeps a server busy.
prefix="$WINEPREFIX"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# within SECONDS COMMAND...: polls the command until it succeeds.
within() {
    _end=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$_end" ] || return 1
        sleep 0.05
    done
}

alive() {
    readlink "/proc/$1/exe" >/dev/null 2>&1
}

server_of_prefix() {
    for _pid in $(prefix_pids "$prefix"); do
        case $(readlink "/proc/$_pid/exe" 2>/dev/null) in
        */wineserver*) echo "$_pid" && return 0 ;;
        esac
    done
    return 1
}

# Whether the server $1 still takes new programs: its listening socket.
listening() {
    ls -l "/proc/$1/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\]$/\1/p' |
        awk 'NR == FNR { mine[$1] = 1; next }
             $4 == "00010000" && ($7 in mine) { found = 1 }
             END { exit !found }' - /proc/net/unix
}

# The prefix is gone with every process of it, and a moment later nothing has
# written it back (a server that outlived the removal saves its registry into
# the folder when it ends).
gone() {
    [ ! -e "$prefix" ] || fail "$1: left in the prefix: $(ls -A "$prefix" | tr '\n' ' ')"
    left=$(prefix_pids "$prefix")
    [ -z "$left" ] || fail "$1: Wine processes left: $(echo "$left" | tr '\n' ' ')"
    sleep 3
    [ ! -e "$prefix" ] || fail "$1: written again: $(ls -A "$prefix" | tr '\n' ' ')"
    echo "$1: removed, nothing left"
}

# Starts cmd.exe waiting for input, so that the server has a program to serve.
start_waiting_program() {
    rm -f "$WORK_DIR/input"
    mkfifo "$WORK_DIR/input"
    wine cmd <"$WORK_DIR/input" >"$WORK_DIR/cmd.out" 2>&1 &
    program=$!
    exec 9>"$WORK_DIR/input"
    within 60 server_of_prefix >/dev/null || fail "cmd.exe did not start"
    server=$(server_of_prefix)
}

end_waiting_program() {
    exec 9>&-
    wait "$program" || true
}

echo "- a program still running, the prefix made again on top of it"
new_prefix "$prefix"
start_waiting_program
before=$(prefix_pids "$prefix")
new_prefix "$prefix"
end_waiting_program
[ -f "$prefix/system.reg" ] || fail "the prefix made again has no system.reg"
for pid in $before; do
    ! alive "$pid" || fail "process $pid of the previous prefix still runs"
done
echo "reused: made again, none of the $(echo "$before" | wc -l) processes before is left"

echo "- a program still running, the prefix dropped by a relative path"
start_waiting_program
(cd "$WORK_DIR" && drop_prefix "$(basename "$prefix")")
end_waiting_program
gone "relative path"

echo "- a program starting while the server shuts down"
new_prefix "$prefix"
# When its last program ends the server stops taking new ones and saves the
# registry a moment later. A program that starts then waits until that server
# is gone and starts a new one, which may find the prefix half removed.
shutting_down() {
    ! alive "$server" || ! listening "$server"
}
# A program waiting to connect works in the server's socket folder.
waiting() {
    [ "$(readlink "/proc/$program/cwd" 2>/dev/null)" = "$socket_dir" ]
}
waited=""
for attempt in 1 2 3; do
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    server=$(server_of_prefix) || continue
    socket_dir=$(readlink "/proc/$server/cwd")
    within 10 shutting_down || true
    alive "$server" || continue
    wine cmd /c exit >/dev/null 2>&1 </dev/null &
    program=$!
    if within 5 waiting; then
        waited="attempt $attempt"
        break
    fi
    wait "$program" || true
done
if [ -n "$waited" ]; then
    echo "a program waits for the shutting-down server ($waited)"
else
    echo "NOTE: no program was caught waiting for the server; dropped all the same"
fi
drop_prefix "$prefix"
wait "$program" 2>/dev/null || true
gone "program waiting for the server"
