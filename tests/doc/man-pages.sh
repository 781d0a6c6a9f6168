#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# man-pages.sh MAN_DIR TIVREN TIVRENCTL: both man pages, as they are installed, format without a
# single warning, each documents every command and option its program's --help names, and all
# three name the same version.
set -euo pipefail
man_dir=$1
tivren=$2
tivrenctl=$3
. "$(dirname "$0")/../support/script-checks.sh"

for page in tivren.1 tivrenctl.1; do
    warnings=$(groff -man -ww -z "$man_dir/$page" 2>&1) || fail "groff failed on $page"
    [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
    warnings=$(MANWIDTH=80 man --warnings -l "$man_dir/$page.gz" 2>&1 >/dev/null) || fail "man failed on $page.gz"
    [ -z "$warnings" ] || fail "man warns about $page.gz: $warnings"
done

# documents PAGE WORD: WORD stands on its own in the page's source (where "\-" is a dash). No
# pipe into grep -q: its early exit would fail the pipe.
documents() {
    local source
    source=$(sed 's/\\-/-/g' "$man_dir/$1")
    grep -qE -- "(^|[^a-z-])$2([^a-z-]|$)" <<<"$source"
}

# Every command of tivrenctl's help is a tagged paragraph of the page's COMMANDS section.
ctl_help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$tivrenctl" --help)
commands=$(sed -n '/^Commands:/,/^$/p' <<<"$ctl_help" | sed -nE 's/^  ([a-z]+) .*/\1/p')
[ "$(wc -w <<<"$commands")" -ge 8 ] || fail "found only these commands in tivrenctl --help: $commands"
section=$(sed -n '/^\.SH COMMANDS/,/^\.SH OPTIONS/p' "$man_dir/tivrenctl.1")
for command in $commands; do
    grep -qE "^\.BI? \"?$command( |\"|$)" <<<"$section" || fail "tivrenctl.1 has no paragraph for the command $command"
done
for option in $(grep -oE -- '(^|[ [|])--?[a-z][a-z-]*' <<<"$ctl_help" | tr -d ' [|' | sort -u); do
    documents tivrenctl.1 "$option" || fail "tivrenctl.1 does not mention $option"
done
for option in $(env -u DISPLAY -u WAYLAND_DISPLAY "$tivren" --help | grep -oE -- '(^|[ [|])--?[a-z][a-z-]*' | tr -d ' [|' | sort -u); do
    documents tivren.1 "$option" || fail "tivren.1 does not mention $option"
done

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$tivren" --version)
[[ $version =~ ^tivren\ ([0-9]+\.[0-9]+\.[0-9]+)$ ]] || fail "tivren --version said: $version"
number=${BASH_REMATCH[1]:-}
[ "$("$tivrenctl" --version)" = "tivrenctl $number" ] || fail "tivrenctl --version said: $("$tivrenctl" --version)"
for page in tivren.1 tivrenctl.1; do
    grep -q "^\.TH .*\"Tivren $number\"" "$man_dir/$page" || fail "$page does not name version $number"
done

checks_done "man pages"
