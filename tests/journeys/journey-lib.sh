# SPDX-License-Identifier: GPL-3.0-or-later
# The journeys' shared kit, for <journey>.sh <tivren> <tivrenctl> <journey_notification_server>
# under scripts/isolated-run --dbus --xvfb. Every wait has a limit; the first failed check ends the
# journey with one line on stderr.
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
started_pids=()

# Failures go to the journey's own stderr (fd 3), even from a part whose stderr is redirected.
exec 3>&2
fail() {
    echo "FAIL: $*" >&3
    exit 1
}

set -E
trap '[ $BASH_SUBSHELL -gt 0 ] || echo "FAIL: \"$BASH_COMMAND\" failed with status $? (line $LINENO of ${BASH_SOURCE[0]##*/})" >&3' ERR

passed() {
    echo "1 passed, 0 failed"
}

# Whatever the journey started is stopped when it ends, passed or failed, by process id.
trap 'kill -9 "${started_pids[@]}" 2>/dev/null || true' EXIT

# wait_until SECONDS MESSAGE COMMAND...: runs COMMAND every 50 ms until it succeeds.
wait_until() {
    local rounds=$(($1 * 20)) message=$2
    shift 2
    for _ in $(seq "$rounds"); do
        "$@" && return 0
        sleep 0.05
    done
    fail "$message (waited $rounds x 50 ms)"
}

# iso SECONDS: the instant as the data file writes it.
iso() {
    date -u -d "@$1" +%Y-%m-%dT%H:%M:%SZ
}

# write_data_file <<'JSON' ... JSON
write_data_file() {
    mkdir -p "$data_dir"
    cat >"$data_file"
}

# Two projects, Acme and Globex, nothing tracked.
write_two_projects() {
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id", "hourlyRate": 95}]}
JSON
}

# start_tivren [NAME]: the program in the background, its stderr in $TMPDIR/NAME.err; tivren_pid.
start_tivren() {
    "$tivren" 2>"$TMPDIR/${1:-tivren}.err" &
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

# start_read_only FOLDER: start_tivren with FOLDER unwritable. Root writes through any mode, so
# for root FOLDER becomes a read-only mount of Tivren's own.
start_read_only() {
    if [ "$(id -u)" -eq 0 ]; then
        unshare -m bash -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && exec "$2"' \
            read-only "$1" "$tivren" 2>"$TMPDIR/tivren.err" &
        tivren_pid=$!
        started_pids+=("$tivren_pid")
    else
        chmod a-w "$1"
        start_tivren
    fi
}

# start_answering [NAME]: start_tivren and wait_answering.
start_answering() {
    start_tivren "$@"
    wait_answering
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

ctl_ok() {
    ctl_loaded "$@" || fail "tivrenctl $* failed: $(cat "$TMPDIR/ctl.err")"
}

ctl_refused() {
    if ctl_loaded "$@"; then fail "tivrenctl $* was confirmed"; fi
}

# Whether the process has ended (gone, or a zombie waiting to be reaped).
ended() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [ -z "$state" ] || [ "$state" = Z ]
}

# wait_exit PID SECONDS [EXPECTED_STATUS]: waits for a process this shell started to end, and
# checks its exit status when EXPECTED_STATUS is given.
wait_exit() {
    local pid=$1 status=0
    wait_until "$2" "the program had not ended $2 s after it was asked to quit" ended "$pid"
    wait "$pid" 2>/dev/null || status=$?
    [ -z "${3:-}" ] || [ "$status" -eq "$3" ] || fail "exited with $status instead of $3: $(tail -n 3 "$TMPDIR/tivren.err")"
}

# stop_tivren: SIGTERM, then waits (20 s) for exit status 0.
stop_tivren() {
    kill -TERM "$tivren_pid"
    wait_exit "$tivren_pid" 20 0
}

# json_true EXPRESSION [FILE]: whether a Python expression over d, the data file's JSON, holds.
json_true() {
    python3 -c 'import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
sys.exit(not eval(sys.argv[2]))' "${2:-$data_file}" "$1" 2>/dev/null
}

json_check() {
    json_true "$1" || fail "$2"
}

# running_is PROJECT_ID: the data file's running session.
running_is() {
    json_true 'd["activeSession"]["projectID"] == "'"$1"'"'
}

# slow_switch_to_globex: Acme runs, every fsync takes half a second, and the switch to Globex is
# being saved (its temporary file is there) when this returns.
slow_switch_to_globex() {
    write_two_projects
    start_answering
    ctl_ok start acme
    strace_attach "$tivren_pid" "$TMPDIR/strace" -e trace=fsync -e inject=fsync:delay_enter=500000
    "$tivrenctl" start globex 2>/dev/null &
    wait_until 5 "the save of the switch to Globex did not begin" \
        bash -c "ls -A '$data_dir' | grep -qvx -e tivren-data.json -e tivren.lock"
}

# start_notification_server LOG [--tray]
start_notification_server() {
    "$notification_server" "$@" &
    started_pids+=("$!")
    wait_until 5 "the stand-in notification server did not come up" name_owned org.freedesktop.Notifications
}

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

window_gone() {
    ! window_shown "$1"
}

# strace_attach PID LOG ARGS...: traces all threads of the running program with ARGS to inject
# faults, once strace holds them all ("attached"); strace_detach ends the fault.
strace_attach() {
    local pid=$1 log=$2
    shift 2
    strace -f -p "$pid" -o "$log.trace" "$@" 2>"$log" &
    strace_pid=$!
    started_pids+=("$strace_pid")
    wait_until 5 "strace did not attach" grep -q "attached" "$log"
}

strace_detach() {
    kill -INT "$strace_pid" 2>/dev/null || true
    wait_exit "$strace_pid" 5
}

# Wayland journeys run under scripts/isolated-run without --dbus and --xvfb, and call this first:
# compositors refuse to run as root (and CI runs as root), so the journey runs again as nobody,
# owning its private folders, on a session bus of its own. As root, the journey's files and the
# programs are copied into those folders first: nobody may not be able to read the build tree.
become_desktop_user() {
    [ -z "${TIVREN_JOURNEY_DESKTOP_USER:-}" ] || return 0
    local as=() here journey=$0 bus_config
    here=$(dirname "${BASH_SOURCE[0]}")
    bus_config="$here/../dbus/session.conf"
    if [ "$(id -u)" -eq 0 ]; then
        local copy="$TMPDIR/journey" program args=()
        mkdir -p "$copy"
        cp "$journey" "$here/journey-lib.sh" "$here/wayland_probe.py" "$here/../dbus/session.conf" "$copy/"
        for program in "$@"; do
            cp "$program" "$copy/"
            args+=("$copy/${program##*/}")
        done
        set -- "${args[@]}"
        journey="$copy/${journey##*/}"
        bus_config="$copy/session.conf"
        chown -R nobody:nogroup "$TMPDIR"
        as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    export TIVREN_JOURNEY_DESKTOP_USER=1 QT_QPA_PLATFORM=wayland
    exec "${as[@]}" dbus-run-session --config-file="$bus_config" -- bash "$journey" "$@"
}

wayland_socket_up() {
    local socket
    for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
        [ -S "$socket" ] || continue
        export WAYLAND_DISPLAY=${socket##*/}
        return 0
    done
    return 1
}

# start_sway [SCALE]: headless Sway with one 1280x800 output; WAYLAND_DISPLAY and SWAYSOCK.
start_sway() {
    printf 'output HEADLESS-1 resolution 1280x800 scale %s\n' "${1:-1}" >"$TMPDIR/sway.conf"
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$TMPDIR/sway.conf" >"$TMPDIR/sway.log" 2>&1 &
    started_pids+=("$!")
    wait_until 10 "Sway did not start (see sway.log)" wayland_socket_up
    wait_until 5 "Sway's IPC socket did not appear" compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock"
    SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock")
    export SWAYSOCK
}

# start_weston: headless Weston (desktop shell, no layer shell); WAYLAND_DISPLAY.
start_weston() {
    weston --backend=headless-backend.so --width=1280 --height=800 --socket=wayland-1 \
        >"$TMPDIR/weston.log" 2>&1 &
    started_pids+=("$!")
    wait_until 10 "Weston did not start (see weston.log)" wayland_socket_up
}

# viewable_windows: every top-level window on the screen (mapped, not just made), one line each as
# xwininfo shows it: ID "TITLE": ("name" "class")  WIDTHxHEIGHT+X+Y  +X+Y.
viewable_windows() {
    local line
    xwininfo -root -children 2>/dev/null | grep -E '^ +0x' | while read -r line; do
        xwininfo -id "${line%% *}" 2>/dev/null | grep -q "Map State: IsViewable" && echo "$line"
    done
    return 0
}

# write_pomodoro_projects: Acme and Globex, Pomodoro on.
write_pomodoro_projects() {
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id", "hourlyRate": 95}],
 "settings": {"pomodoroEnabled": true, "pomodoroOverlayEnabled": true}}
JSON
}

# pomodoro_phase_is PHASE: tivrenctl status --json names PHASE (work, shortBreak, longBreak).
pomodoro_phase_is() {
    ctl status --json && python3 -c 'import json, sys
sys.exit(json.load(open(sys.argv[1])).get("pomodoroPhase") != sys.argv[2])' "$TMPDIR/ctl.out" "$1"
}

# screenshot NAME: the whole screen as $TIVREN_JOURNEY_SHOTS/NAME.png, when that folder is set.
screenshot() {
    [ -n "${TIVREN_JOURNEY_SHOTS:-}" ] || return 0
    import -window root "$TIVREN_JOURNEY_SHOTS/$1.png" 2>/dev/null || true
}
