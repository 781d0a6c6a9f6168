# The shared kit of the journeys: the real tivren and tivrenctl driven as a person or a script
# would. Each journey is one bash script that sources this file; ctest runs it through
# scripts/isolated-run --dbus --xvfb (private HOME and XDG folders, its own session bus and X server):
#   <journey>.sh <tivren> <tivrenctl> <journey_notification_server>
# Every wait has a limit, and the first failed check ends the journey with one line on stderr.
set -euo pipefail

tivren=$1
tivrenctl=$2
notification_server=${3:-}
data_dir="$XDG_DATA_HOME/Tivren"
data_file="$data_dir/tivren-data.json"
lock_file="$data_dir/tivren.lock"
acme_id=11111111-2222-3333-4444-555555555555
globex_id=22222222-3333-4444-5555-666666666666
tivren_pid=
exit_status=
started_pids=()

# Failures go to the journey's own stderr (fd 3), even from a part whose stderr is redirected.
exec 3>&2
fail() {
    echo "FAIL: $*" >&3
    exit 1
}

# Any other command that fails ends the journey too (set -e); say which.
set -E
trap '[ $BASH_SUBSHELL -gt 0 ] || echo "FAIL: \"$BASH_COMMAND\" failed with status $? (line $LINENO of ${BASH_SOURCE[0]##*/})" >&3' ERR

passed() {
    echo "1 passed, 0 failed"
}

# Whatever the journey started is stopped when it ends, passed or failed, by process id.
stop_leftovers() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
}
trap stop_leftovers EXIT

# check MESSAGE COMMAND...: fails the journey with MESSAGE unless COMMAND succeeds.
check() {
    local message=$1
    shift
    "$@" || fail "$message"
}

# wait_until SECONDS MESSAGE COMMAND...: runs COMMAND every 50 ms until it succeeds; fails the
# journey with MESSAGE when it has not within SECONDS.
wait_until() {
    local rounds=$(($1 * 20)) message=$2
    shift 2
    for _ in $(seq "$rounds"); do
        "$@" && return 0
        sleep 0.05
    done
    fail "$message (waited $rounds x 50 ms)"
}

# A data file: write_data_file <<'JSON' ... JSON (or a path to copy with write_data_file PATH).
write_data_file() {
    mkdir -p "$data_dir"
    if [ $# -gt 0 ]; then cp "$1" "$data_file"; else cat >"$data_file"; fi
}

# Two projects, Acme and Globex, nothing tracked.
write_two_projects() {
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id", "hourlyRate": 95}]}
JSON
}

# start_tivren [NAME]: starts the program in the background, its stderr in $TMPDIR/NAME.err
# (NAME defaults to "tivren"); tivren_pid is its process id.
start_tivren() {
    local name=${1:-tivren}
    "$tivren" 2>"$TMPDIR/$name.err" &
    tivren_pid=$!
    started_pids+=("$tivren_pid")
}

answers() {
    "$tivrenctl" status >/dev/null 2>&1
}

# Waits until the program last started answers tivrenctl (10 s); fails at once when it has ended.
wait_answering() {
    for _ in $(seq 200); do
        answers && return 0
        kill -0 "$tivren_pid" 2>/dev/null || fail "Tivren ended before it answered: $(tail -n 2 "$TMPDIR/tivren.err")"
        sleep 0.05
    done
    fail "Tivren does not answer tivrenctl status (waited 10 s)"
}

# ctl VERB [ARGS...]: tivrenctl once; its stdout in $TMPDIR/ctl.out, stderr in $TMPDIR/ctl.err.
ctl() {
    "$tivrenctl" "$@" >"$TMPDIR/ctl.out" 2>"$TMPDIR/ctl.err"
}

# ctl_loaded VERB [ARGS...]: tivrenctl, asked again while the program is still loading (20 s).
ctl_loaded() {
    for _ in $(seq 400); do
        if ctl "$@"; then return 0; fi
        grep -q "still loading" "$TMPDIR/ctl.err" || return 1
        sleep 0.05
    done
    fail "Tivren was still loading after 20 s"
}

# Whether the process has ended (gone, or a zombie waiting to be reaped).
ended() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [ -z "$state" ] || [ "$state" = Z ]
}

# wait_exit PID SECONDS: waits for a process this shell started to end; exit_status is its status.
# One that is still running after SECONDS is killed and fails the journey.
wait_exit() {
    local pid=$1 limit=$2 status=0
    for _ in $(seq $((limit * 20))); do
        ended "$pid" && break
        sleep 0.05
    done
    if ! ended "$pid"; then
        kill -9 "$pid" 2>/dev/null || true
        fail "the program had not ended $limit s after it was asked to quit"
    fi
    wait "$pid" 2>/dev/null || status=$?
    exit_status=$status
}

# stop_tivren [EXPECTED_STATUS]: SIGTERM, then waits (20 s) and checks the exit status (0).
stop_tivren() {
    local expected=${1:-0}
    kill -TERM "$tivren_pid"
    wait_exit "$tivren_pid" 20
    [ "$exit_status" -eq "$expected" ] \
        || fail "Tivren exited with $exit_status instead of $expected on SIGTERM: $(tail -n 3 "$TMPDIR/tivren.err")"
}

# json_true EXPRESSION [FILE]: whether a Python expression over d, the data file's JSON, holds.
json_true() {
    python3 - "${2:-$data_file}" "$1" <<'PY'
import json, sys
try:
    with open(sys.argv[1], encoding="utf-8") as f:
        d = json.load(f)
except (OSError, ValueError):
    sys.exit(1)
sys.exit(0 if eval(sys.argv[2]) else 1)
PY
}

# json_check EXPRESSION MESSAGE [FILE]: fails the journey with MESSAGE unless the expression holds.
json_check() {
    json_true "$1" "${3:-$data_file}" || fail "$2"
}

# The mode of a file or folder, as octal digits ("700").
mode_of() {
    stat -c %a "$1"
}

# start_notification_server LOG [--tray]: the stand-in notification server on the journey's bus,
# writing each Notify as a line of JSON to LOG; with --tray also a panel's tray watcher.
start_notification_server() {
    "$notification_server" "$@" &
    started_pids+=("$!")
    wait_until 5 "the stand-in notification server did not come up" name_owned org.freedesktop.Notifications
}

# name_owned NAME: someone owns NAME on the journey's bus.
name_owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetNameOwner "string:$1" >/dev/null 2>&1
}

# window_shown TITLE: a window whose title begins with TITLE is on the screen (mapped, not just made).
window_shown() {
    local id
    for id in $(xwininfo -root -tree 2>/dev/null | grep -F " \"$1" | awk '{ print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    done
    return 1
}

# strace_attach PID LOG ARGS...: traces the running program (all its threads) with ARGS, for
# injected faults; waits until strace holds every thread. strace_pid is its process id; strace
# detaches (the fault ends) on strace_detach.
strace_attach() {
    local pid=$1 log=$2
    shift 2
    strace -f -p "$pid" -o "$log.trace" "$@" 2>"$log" &
    strace_pid=$!
    started_pids+=("$strace_pid")
    # "Process N attached with M threads" once it holds them all.
    wait_until 5 "strace did not attach" grep -q "attached" "$log"
}

strace_detach() {
    kill -INT "$strace_pid" 2>/dev/null || true
    wait_exit "$strace_pid" 5
}
