#!/usr/bin/env bash
# Loads the completion of tandrel-cli into bash as bash-completion would and
# asks it what a TAB offers: the commands, each command's options and each
# choice option's values as --help names them, and only folders for SOURCE.
set -euo pipefail
cli=$1
completion=$2
source "$(dirname "$0")/cli_help.sh"
source /usr/share/bash-completion/bash_completion
source "$completion"
function=$(complete -p tandrel-cli | awk '{ print $(NF - 1) }')

# What TAB offers at the end of the line "tandrel-cli $1", sorted.
offered() {
    COMP_LINE="tandrel-cli $1"
    COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"$COMP_LINE"
    [[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "$function" tandrel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    word_list "${COMPREPLY[@]}"
}

failures=0
expect() {
    local got
    got=$(offered "$1")
    if [[ $got != "$2" ]]; then
        echo "completion: \"tandrel-cli $1\" offers (<) instead of (>):" >&2
        diff <(echo "$got") <(echo "$2") >&2 || true
        failures=$((failures + 1))
    fi
}

expect "" "$(word_list $(help_commands))"
expect "-" "$(word_list $(help_options))"
for command in $(help_commands); do
    expect "$command -" "$(word_list $(help_options "$command"))"
    while read -r option values; do
        expect "$command $option " "$(word_list $values)"
    done < <(help_choices "$command")
done

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/card" "$folder/cards"
touch "$folder/card.txt"
expect "list $folder/ca" "$(word_list "$folder/card" "$folder/cards")"
expect "copy --quiet $folder/card $folder/c" "$(word_list "$folder/card" "$folder/cards")"
[[ $failures -eq 0 ]] && echo "completion: ok"
