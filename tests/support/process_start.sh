# Sourced by the test fixtures that start a server (Xvfb, a Wayland
# compositor) and must later know whether it still runs: a server is known by
# its PID and that process's start time, so a PID the system has since given
# to another process is never taken for it.

process_start() {  # PID -> its start time, unless it is gone or a zombie
    local stat fields
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
    # Past "PID (name) " (the name may hold spaces): the state, then the
    # start time 19 fields on (field 22 of proc(5)).
    read -ra fields <<<"${stat##*) }"
    [ "${fields[0]}" != Z ] && echo "${fields[19]}"
}
