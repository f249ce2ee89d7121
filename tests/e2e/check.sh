# The end-to-end scripts' checks: each compares what happened with what
# should have, prints one line, and is counted; `checked` ends the script
# with the count and fails it if any check failed. `finish` waits for a
# process, for a check of its exit code.
passed=0
failed=0

check() { # what, actual, expected
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
        echo "ok: $1"
    else
        failed=$((failed + 1))
        echo "FAIL: $1: got '$2', expected '$3'"
    fi
}

checked() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# Waits up to ten seconds for a child process to end and puts its exit code
# in $finished (124 when it did not end). Only this shell can wait for its
# children: a command substitution's subshell cannot.
finish() {
    local i
    for i in $(seq 50); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$1" 2>/dev/null; then
        kill "$1"
        wait "$1" 2>/dev/null
        finished=124
    else
        wait "$1"
        finished=$?
    fi
}
