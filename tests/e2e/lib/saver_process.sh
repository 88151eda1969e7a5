# The running saver's Wine process and its memory, for the end-to-end tests (sourced after
# saver_e2e.sh). Other builds may run their own Senvola.scr at the same time: only the process
# of this test's prefix counts.

# saver_process: the process id of Senvola.scr in our prefix; fails when there is none.
saver_process() {
    local pid
    for pid in $(pgrep -x Senvola.scr 2>/dev/null); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}
# saver_rss_mb: the resident memory of that process in MB (whole, rounded down).
saver_rss_mb() {
    local pid
    pid="$(saver_process)" || return 1
    awk '/^VmRSS:/ { print int($2 / 1024) }' "/proc/$pid/status" 2>/dev/null
}
# wait_rss_at_least MB SECONDS: until the saver holds at least MB (polled five times a second).
wait_rss_at_least() {
    local rss
    for _ in $(seq $(($2 * 5))); do
        rss="$(saver_rss_mb)" && [ -n "$rss" ] && [ "$rss" -ge "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
# now_ms: wall-clock milliseconds.
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
