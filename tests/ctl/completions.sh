#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# completions.sh COMPLETIONS_DIR TIVRENCTL: the bash completion, loaded into bash, offers every
# command the real TIVRENCTL's --help names, and completes options, files after --data and the
# running Tivren's project names (spaces, "$", "*" and all) from a stand-in tivrenctl on PATH, and
# nothing at all when Tivren is not running. The zsh and fish completions parse, and fish
# completes the same names.
set -uo pipefail
completions=$1
tivrenctl=$2
. "$(dirname "$0")/../support/script-checks.sh"

work=$(mktemp -d)
mkdir -p "$work/bin" "$work/here"
cat >"$work/bin/tivrenctl" <<'STANDIN'
#!/bin/sh
[ "$1" = projects ] || exit 2
if [ -e "$STANDIN_STOPPED" ]; then
    echo "tivrenctl: Tivren is not running" >&2
    exit 1
fi
printf '%s\n' 'Acme Corp' 'Acorn' 'Beta' 'Dollar $HOME' 'Star *'
STANDIN
chmod +x "$work/bin/tivrenctl"
export PATH="$work/bin:$PATH" STANDIN_STOPPED="$work/stopped"
# Files that a careless glob or a wrong option list would show.
touch "$work/here/data.json" "$work/here/Star-file" "$work/here/Stars"
cd "$work/here" || exit 1

# completes EXPECTED WORDS...: the completion of the last of WORDS (the command line up to the
# cursor) is EXPECTED, its replies joined by "|", and it printed nothing.
completes() {
    local expected=$1 got
    shift
    got=$(bash --norc --noprofile -c '
        . "$1"
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$(($# - 1))
        _tivrenctl tivrenctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        IFS="|"
        echo "${COMPREPLY[*]}"' completion "$completions/tivrenctl.bash" "$@" 2>&1)
    [ "$got" = "$expected" ] || fail "tivrenctl ${*:2}: expected '$expected', got '$got'"
}

completes "start|stop|status" tivrenctl st
commands=$("$tivrenctl" --help | sed -n '/^Commands:/,/^$/p' | sed -nE 's/^  ([a-z]+) .*/\1/p' | sort | paste -sd '|')
offered=$(bash --norc --noprofile -c '. "$1"; COMP_WORDS=(tivrenctl ""); COMP_CWORD=1; _tivrenctl
    printf "%s\n" "${COMPREPLY[@]}"' completion "$completions/tivrenctl.bash" | grep -v '^-' | sort | paste -sd '|')
[ -n "$commands" ] && [ "$offered" = "$commands" ] || fail "bash offers the commands $offered, --help names $commands"
completes "--help|--version" tivrenctl --
completes "--from|--to|--csv|--data|--help" tivrenctl report --
completes "data.json" tivrenctl report --data da
completes "" tivrenctl report --from 2
completes "--json|--waybar" tivrenctl status --
completes "" tivrenctl status --json --
completes 'Acme\ Corp|Acorn' tivrenctl start ac
completes 'Acme\ Corp' tivrenctl toggle 'Acme\ C'
completes 'Acme Corp|Acorn' tivrenctl start '"Ac'
completes 'Dollar\ \$HOME' tivrenctl start Dol
completes 'Star\ \*' tivrenctl start St
completes "" tivrenctl start Acme Co
completes "" tivrenctl stop ""
completes "discard" tivrenctl away d
completes "" tivrenctl away stop ""
touch "$STANDIN_STOPPED"
completes "" tivrenctl start ""
rm "$STANDIN_STOPPED"

got=$(bash --norc --noprofile -c '. "$1"; complete -p tivren' tivren "$completions/tivren.bash" 2>&1)
[[ $got == *--new-project*--stop-timer*--version*--help* ]] || fail "tivren's bash completion: $got"

if command -v zsh >/dev/null; then
    for file in _tivrenctl _tivren; do
        zsh -n "$completions/$file" || fail "zsh cannot parse $file"
    done
else
    echo "zsh is not installed: its completion was not checked"
fi
if command -v fish >/dev/null; then
    for file in tivrenctl.fish tivren.fish; do
        fish -n "$completions/$file" || fail "fish cannot parse $file"
    done
    got=$(fish --no-config -c "source '$completions/tivrenctl.fish'; complete -C 'tivrenctl start A'" 2>&1 | cut -f1 | paste -sd '|')
    [ "$got" = 'Acme Corp|Acorn' ] || fail "fish, tivrenctl start A: $got"
    got=$(fish --no-config -c "source '$completions/tivrenctl.fish'; complete -C 'tivrenctl status --'" 2>&1 | cut -f1 | paste -sd '|')
    [ "$got" = '--json|--waybar' ] || fail "fish, tivrenctl status --: $got"
    got=$(fish --no-config -c "source '$completions/tivrenctl.fish'; complete -C 'tivrenctl away '" 2>&1 | cut -f1 | paste -sd '|')
    [ "$got" = 'discard|keep|stop' ] || fail "fish, tivrenctl away: $got"
else
    echo "fish is not installed: its completion was not checked"
fi

rm -rf "$work"
checks_done "completions"
