# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for tivrenctl: its commands, the options of report, status and import, files
# after --data and import, the answers of away, and after start and toggle the project names of the running Tivren
# (none, silently, when it is not running).

# _tivrenctl_projects WORD QUOTE: the running Tivren's project names that begin with WORD, any
# case; escaped for the command line unless the word was opened with the quote QUOTE.
_tivrenctl_projects()
{
    local typed=${1//\\/} quote=$2 name escaped
    local -a names
    mapfile -t names < <(tivrenctl projects 2>/dev/null)
    for name in "${names[@]}"; do
        [[ ${name,,} == "${typed,,}"* ]] || continue
        if [[ -n $quote ]]; then
            COMPREPLY+=("$name")
        else
            printf -v escaped '%q' "$name"
            COMPREPLY+=("$escaped")
        fi
    done
}

# _tivrenctl_words WORD WORDS...: those of WORDS that begin with WORD.
_tivrenctl_words()
{
    local typed=$1 word
    shift
    for word in "$@"; do
        [[ $word == "$typed"* ]] && COMPREPLY+=("$word")
    done
}

_tivrenctl()
{
    local word=${COMP_WORDS[COMP_CWORD]} previous=${COMP_WORDS[COMP_CWORD - 1]} quote=
    [[ $word == [\"\']* ]] && quote=${word:0:1} && word=${word:1}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        _tivrenctl_words "$word" report start toggle stop skip show status projects import away --help --version
        return 0
    fi
    case ${COMP_WORDS[1]} in
    report)
        case $previous in
        --data)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$word")
            ;;
        --from | --to) ;;
        *) _tivrenctl_words "$word" --from --to --csv --data --help ;;
        esac
        ;;
    start | toggle)
        ((COMP_CWORD == 2)) && _tivrenctl_projects "$word" "$quote"
        ;;
    status)
        ((COMP_CWORD == 2)) && _tivrenctl_words "$word" --json --waybar
        ;;
    away)
        ((COMP_CWORD == 2)) && _tivrenctl_words "$word" keep discard stop
        ;;
    import)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$word")
        [[ $word == -* ]] && COMPREPLY=() && _tivrenctl_words "$word" --yes
        ;;
    esac
    return 0
}
complete -F _tivrenctl tivrenctl
