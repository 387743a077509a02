# Reads the trace of a Wine server started with -d1 and prints, for each program the trace
# saw started, how many requests its threads sent to the server before its first window
# of real size (over 100 pixels wide) was shown; a program started more than once counts
# its last start. Unlike a time, the count does not depend on how the machine schedules
# the programs: it is the work of a start that has to wait for the server.
#
# The trace's lines are "TID: request( fields )" and "TID: request() = STATUS { fields }".

function hexval(text,    i, v) {
    v = 0
    for (i = 1; i <= length(text); ++i) v = v * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
    return v
}

# The value of "name=" in a trace line, up to the next comma, brace or space.
function field(line, name) {
    if (!match(line, " " name "=[^,} ]*")) return ""
    return substr(line, RSTART + length(name) + 2, RLENGTH - length(name) - 2)
}

{
    if (!match($0, /^[0-9a-f]+: [a-z_0-9]+\(/)) next
    tid = substr($0, 1, index($0, ":") - 1)
    request = substr($0, index($0, " ") + 1)
    request = substr(request, 1, index(request, "(") - 1)
    reply = index($0, request "() = ") == length(tid) + 3

    if (reply) {
        if (request == "init_first_thread") {
            process[field($0, "tid")] = field($0, "pid")
        } else if (request == "new_thread" && (tid in creating)) {
            process[field($0, "tid")] = process[tid]
        } else if (request == "new_process" && (tid in starting)) {
            name[field($0, "pid")] = starting[tid]
        }
        delete creating[tid]
        delete starting[tid]
        next
    }
    if (request == "new_process" && match($0, /imagepath=L"[^"]*"/)) {
        image = substr($0, RSTART + 11, RLENGTH - 12)
        sub(/.*\\/, "", image)
        starting[tid] = image
    }
    # A thread made in the same process (not the first one of a child).
    if (request == "new_thread" && field($0, "process") == "ffffffff") creating[tid] = 1

    if (!(tid in process)) next
    pid = process[tid]
    if (!(pid in name) || (pid in shown)) next
    ++count[pid]
    if (request == "set_window_pos") {
        flags = hexval(field($0, "swp_flags"))
        # window={left,top;right,bottom}
        if (int(flags / 64) % 2 == 1 && match($0, /window=\{-?[0-9]+,-?[0-9]+;-?[0-9]+/)) {
            split(substr($0, RSTART + 8, RLENGTH - 8), corner, /[,;]/)
            if (corner[3] - corner[1] > 100) {
                shown[pid] = 1
                last[name[pid]] = count[pid]
            }
        }
    }
}

END {
    for (program in last) printf "%s %d\n", program, last[program]
}
