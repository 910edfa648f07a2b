# Wine virtual-desktop plumbing (source me): prepared prefix template, private Xvfb + wineserver per run, clean stop.
#
# Usage:
#   source scripts/lib/winedesk.sh
#   winedesk_start || exit 1          # exports DISPLAY, WINEPREFIX, WINEDESK_DIR, ...
#   trap winedesk_stop EXIT
#   winedesk_run_exe build/win32/Pelmorath.exe    # sets WINEDESK_APP_PID
#   winedesk_wait_window PelmorathForm1 10
#   winedesk_screenshot shot.png
#
# Each run owns its display (Xvfb -displayfd), its prefix (copied from the
# template under build/wine-template) and its wineserver (-f -p, our pid).
# Set WINEDESK_XVFB=0 to use the current $DISPLAY instead of a private Xvfb,
# WINEDESK_KEEP=1 to keep the run folder after winedesk_stop.

WINEDESK_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINEDESK_ROOT=$(cd "$WINEDESK_LIB_DIR/../.." && pwd)
WINEDESK_BUILD=${WINEDESK_BUILD:-$WINEDESK_ROOT/build}
WINEDESK_TEMPLATE=${WINEDESK_TEMPLATE:-$WINEDESK_BUILD/wine-template}
WINEDESK_SIZE=${WINEDESK_SIZE:-1024x768}

# Quiet Wine; never offer to download Mono/Gecko, never write menu entries.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

_winedesk_log() { echo "winedesk: $*" >&2; }

# Stamp that ties a template to the installed Wine: a Wine upgrade makes it stale.
_winedesk_stamp() {
    local inf=/usr/share/wine/wine.inf
    printf '%s %s %s\n' "$(wine --version 2>/dev/null)" "$(stat -c %Y "$inf" 2>/dev/null)" "$WINEDESK_SIZE"
}

# Poll a condition command every 20 ms until it succeeds or SECONDS elapse.
_winedesk_poll() {
    local secs=$1; shift
    local end=$(( $(date +%s%N) + secs * 1000000000 ))
    while ! "$@"; do
        (( $(date +%s%N) >= end )) && return 1
        sleep 0.02
    done
}

_winedesk_pid_alive() { [[ -n ${1:-} ]] && kill -0 "$1" 2>/dev/null; }
_winedesk_pid_gone() { ! kill -0 "$1" 2>/dev/null; }

# Terminate one pid we started: TERM, wait, then KILL.
_winedesk_end_pid() {
    local pid=$1 secs=${2:-5}
    _winedesk_pid_alive "$pid" || return 0
    kill -TERM "$pid" 2>/dev/null
    _winedesk_poll "$secs" _winedesk_pid_gone "$pid" && return 0
    kill -KILL "$pid" 2>/dev/null
    _winedesk_poll 2 _winedesk_pid_gone "$pid"
}

# The wineserver socket lives in /tmp/<name>, <name> read from $prefix/wineserver
# (mode 0400, or Wine makes a random /tmp/wine-XXXXXX and leaves it behind).
_winedesk_set_socket_name() {
    local prefix=$1 name=$2
    [[ -e $prefix/wineserver ]] && chmod 600 "$prefix/wineserver"
    printf '%s' "$name" >"$prefix/wineserver"
    chmod 400 "$prefix/wineserver"
}

_winedesk_socket_dir() {
    local prefix=$1 name
    [[ -r $prefix/wineserver ]] || return 1
    name=$(cat "$prefix/wineserver")
    [[ $name == pelmorath-wine-* ]] || return 1
    echo "/tmp/$name"
}

_winedesk_server_up() { compgen -G "$1/server-*/socket" >/dev/null; }

# Start our own wineserver for PREFIX; prints its pid.
_winedesk_start_server() {
    local prefix=$1 log=$2 sock pid
    sock=$(_winedesk_socket_dir "$prefix") || return 1
    WINEPREFIX=$prefix wineserver -f -p </dev/null >>"$log" 2>&1 &
    pid=$!
    if ! _winedesk_poll 10 _winedesk_server_up "$sock"; then
        _winedesk_log "wineserver did not come up (see $log)"
        _winedesk_end_pid "$pid"
        return 1
    fi
    echo "$pid"
}

_winedesk_stop_server() {
    local prefix=$1 pid=$2 sock
    if _winedesk_pid_alive "$pid"; then
        WINEPREFIX=$prefix timeout 10 wineserver -k </dev/null >/dev/null 2>&1
        _winedesk_poll 5 _winedesk_pid_gone "$pid" || _winedesk_end_pid "$pid" 3
    fi
    sock=$(_winedesk_socket_dir "$prefix") && rm -rf "$sock"
}

_winedesk_build_template() {
    local tmp=$1 name pid log=$1.log
    mkdir -p "$tmp/prefix"
    _winedesk_set_socket_name "$tmp/prefix" "pelmorath-wine-tpl-$$-$RANDOM"
    pid=$(_winedesk_start_server "$tmp/prefix" "$log") || return 1
    (
        export WINEPREFIX=$tmp/prefix
        unset DISPLAY
        wineboot -i </dev/null >>"$log" 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$WINEDESK_SIZE" /f </dev/null >>"$log" 2>&1 &&
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >>"$log" 2>&1
    )
    local rc=$?
    _winedesk_stop_server "$tmp/prefix" "$pid"
    ((rc == 0)) || { _winedesk_log "wineboot failed (see $log)"; return 1; }
    # Without Wine's own TrueType fonts caption buttons render as letters.
    mkdir -p "$tmp/prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$tmp/prefix/drive_c/windows/Fonts/" 2>/dev/null
    rm -f "$log"
    _winedesk_stamp >"$tmp/stamp"
}

# Make sure build/wine-template holds a booted prefix for the installed Wine.
# The first caller boots it (7-9 s); concurrent callers wait on the lock.
winedesk_ensure_template() {
    mkdir -p "$WINEDESK_BUILD" || return 1
    local lock=$WINEDESK_TEMPLATE.lock stamp
    stamp=$(_winedesk_stamp)
    (
        flock -w 120 9 || { _winedesk_log "template lock timed out"; exit 1; }
        if [[ -f $WINEDESK_TEMPLATE/stamp && $(cat "$WINEDESK_TEMPLATE/stamp") == "$stamp" ]]; then
            exit 0
        fi
        _winedesk_log "preparing Wine prefix template in $WINEDESK_TEMPLATE"
        local tmp=$WINEDESK_TEMPLATE.tmp.$$
        rm -rf "$tmp"
        if ! _winedesk_build_template "$tmp"; then
            rm -rf "$tmp"
            exit 1
        fi
        rm -rf "$WINEDESK_TEMPLATE"
        mv "$tmp" "$WINEDESK_TEMPLATE"
    ) 9>"$lock"
}

# winedesk_start [RUN_DIR]
# Boots a private desktop. RUN_DIR (created when missing, default a fresh folder
# under build/wine-runs) holds the prefix, logs and pid files. Exports DISPLAY,
# WINEPREFIX, WINEDESK_DIR, WINEDESK_XVFB_PID, WINEDESK_SERVER_PID.
winedesk_start() {
    local dir=${1:-}
    winedesk_ensure_template || return 1
    if [[ -z $dir ]]; then
        mkdir -p "$WINEDESK_BUILD/wine-runs" || return 1
        dir=$(mktemp -d "$WINEDESK_BUILD/wine-runs/run.XXXXXX") || return 1
    else
        mkdir -p "$dir" || return 1
        dir=$(cd "$dir" && pwd)
    fi
    export WINEDESK_DIR=$dir
    export WINEPREFIX=$dir/prefix
    rm -rf "$WINEPREFIX"
    cp -a "$WINEDESK_TEMPLATE/prefix" "$WINEPREFIX" || return 1
    _winedesk_set_socket_name "$WINEPREFIX" "pelmorath-wine-$(basename "$dir")-$(id -u)"

    if [[ ${WINEDESK_XVFB:-1} != 0 ]]; then
        : >"$dir/display"
        Xvfb -displayfd 3 -screen 0 "${WINEDESK_SIZE}x24" -r -nolisten tcp -noreset \
            3>"$dir/display" </dev/null >"$dir/xvfb.log" 2>&1 &
        WINEDESK_XVFB_PID=$!
        echo "$WINEDESK_XVFB_PID" >"$dir/xvfb.pid"
        if ! _winedesk_poll 10 grep -q '^[0-9]' "$dir/display"; then
            _winedesk_log "Xvfb did not start (see $dir/xvfb.log)"
            winedesk_stop "$dir"
            return 1
        fi
        export DISPLAY=:$(head -n1 "$dir/display")
    else
        [[ -n ${DISPLAY:-} ]] || { _winedesk_log "WINEDESK_XVFB=0 needs DISPLAY"; return 1; }
        WINEDESK_XVFB_PID=
    fi
    export WINEDESK_XVFB_PID
    echo "$DISPLAY" >"$dir/display.name"

    WINEDESK_SERVER_PID=$(_winedesk_start_server "$WINEPREFIX" "$dir/wineserver.log") || {
        winedesk_stop "$dir"
        return 1
    }
    export WINEDESK_SERVER_PID
    echo "$WINEDESK_SERVER_PID" >"$dir/wineserver.pid"
}

# Print the run's environment as NAME=VALUE lines (for callers in other languages).
winedesk_env() {
    local v
    for v in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEDESK_DIR WINEDESK_XVFB_PID WINEDESK_SERVER_PID; do
        printf '%s=%s\n' "$v" "${!v-}"
    done
}

# winedesk_stop [RUN_DIR]: end the run's Wine processes, wineserver and Xvfb,
# remove the wineserver socket folder and (unless WINEDESK_KEEP=1) the run folder.
winedesk_stop() {
    local dir=${1:-${WINEDESK_DIR:-}} xpid spid
    [[ -n $dir && -d $dir ]] || return 0
    spid=$(cat "$dir/wineserver.pid" 2>/dev/null)
    xpid=$(cat "$dir/xvfb.pid" 2>/dev/null)
    if [[ -d $dir/prefix ]]; then
        _winedesk_stop_server "$dir/prefix" "$spid"
    fi
    [[ -n $xpid ]] && _winedesk_end_pid "$xpid" 5
    if [[ ${WINEDESK_KEEP:-0} == 1 ]]; then
        _winedesk_log "kept $dir"
    else
        rm -rf "$dir"
        rmdir "$WINEDESK_BUILD/wine-runs" 2>/dev/null
    fi
    [[ $dir == "${WINEDESK_DIR:-}" ]] && unset WINEDESK_DIR WINEDESK_XVFB_PID WINEDESK_SERVER_PID
    return 0
}

# winedesk_run_exe EXE [ARGS...]: start a Windows program in the run's desktop,
# in the background; WINEDESK_APP_PID is its Linux pid (the program's own).
winedesk_run_exe() {
    local exe=$1; shift
    wine "$exe" "$@" </dev/null >>"$WINEDESK_DIR/app.log" 2>&1 &
    WINEDESK_APP_PID=$!
    export WINEDESK_APP_PID
}

# The probe tool of the end-to-end tests, if built (finds windows by class).
winedesk_probe_exe() {
    local c
    for c in "$WINEDESK_BUILD/win32/tests/e2e/winprobe.exe" "$WINEDESK_BUILD/win32/winprobe.exe" \
             "$WINEDESK_BUILD/e2e-tools/winprobe.exe"; do
        [[ -f $c ]] && { echo "$c"; return 0; }
    done
    return 1
}

# winedesk_wait_window CLASS [SECONDS]: wait until a visible top-level window of
# that class exists. Without the probe tool, wait for the app to have drawn
# something on the desktop (any change of the screen) and settle.
winedesk_wait_window() {
    local cls=$1 secs=${2:-15} probe
    if probe=$(winedesk_probe_exe); then
        local answer
        answer=$(printf 'waitwin\t%s\t%s\nquit\n' "$cls" "$((secs * 1000))" |
            timeout $((secs + 10)) wine "$probe" 2>/dev/null) || true
        [[ $answer == *'"visible":1'* ]]
        return
    fi
    sleep "$((secs < 3 ? secs : 3))"
}

# winedesk_screenshot FILE: the whole desktop (without the pointer) as an image.
winedesk_screenshot() {
    import -display "$DISPLAY" -window root "$1"
}
