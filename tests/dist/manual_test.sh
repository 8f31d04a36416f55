#!/usr/bin/env bash
# The manual page of tandrel-cli names exactly the commands and options that
# its --help names, each under its own command, and every value a choice
# option takes: whoever adds or renames one in the code must document it.
set -euo pipefail
cli=$1
page=$2
source "$(dirname "$0")/cli_help.sh"

# The lines of one "# SECTION" of the page, or of one "## command" in it.
section() { awk -v want="# $1" '/^# / { in_it = ($0 == want) } in_it' "$page"; }
command_section() {
    section COMMANDS | awk -v name="$1" '/^## / { in_it = ($2 == name) } in_it'
}
# The options a text names in bold (*--name*).
bold_options() { grep -o '\*-[-A-Za-z0-9]*\*' | tr -d '*' | sort -u || true; }

failures=0
differ() {
    echo "manual: $1 differ (< --help, > $page):" >&2
    diff <(echo "$2") <(echo "$3") >&2 || true
    failures=$((failures + 1))
}
same() { [[ $2 == "$3" ]] || differ "$@"; }

same "the commands" "$(word_list $(help_commands))" \
    "$(section COMMANDS | awk '/^## / { print $2 }' | sort -u)"
same "the options of tandrel-cli" "$(word_list $(help_options))" "$(section OPTIONS | bold_options)"
for command in $(help_commands); do
    # Every command takes -h/--help; the OPTIONS section says so once.
    same "the options of $command" "$(word_list $(help_options "$command" | grep -vx -e -h -e --help))" \
        "$(command_section "$command" | bold_options)"
    while read -r option values; do
        for value in $values; do
            command_section "$command" | grep -qF "*$value*" ||
                differ "the values of $command $option" "$value" ""
        done
    done < <(help_choices "$command")
done
[[ $failures -eq 0 ]] && echo "manual: ok"
