# SPDX-License-Identifier: GPL-3.0-or-later
# For test scripts that make many checks and report every failure, not only the first:
# `fail MESSAGE` counts one, `checks_done NAME` ends the script, with status 1 after any.
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

checks_done() {
    [ "$failures" -eq 0 ] || exit 1
    echo "$1: all checks passed"
}
