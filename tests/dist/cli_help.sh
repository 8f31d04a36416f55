# What `tandrel-cli --help` says, as word lists, for the tests that hold the
# manual page and the completion to it. Sourced; $cli is the tandrel-cli to ask.

# The commands, one a line.
help_commands() {
    "$cli" --help | awk '/^[A-Za-z]+:$/ { in_list = ($0 == "Subcommands:") } in_list && /^  [a-z]/ { print $1 }'
}

# The option names of the tool (no argument) or of one command, one a line.
help_options() {
    "$cli" "$@" --help | awk '/^[A-Za-z]+:$/ { in_list = ($0 == "Options:") }
        in_list && /^  -/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i] }'
}

# The options of a command that take one of a set of values: "option value..."
# a line, the values as the help's "value in {name->number,...}" lists them.
help_choices() {
    "$cli" "$1" --help | awk '/^  -/ && /value in \{/ {
        values = $0; sub(/.*value in \{/, "", values); sub(/\}.*/, "", values)
        n = split(values, parts, ","); line = $1
        for (i = 1; i <= n; i++) { sub(/->.*/, "", parts[i]); line = line " " parts[i] }
        print line }'
}

# Sorted words of its arguments, one a line: a list to compare.
word_list() {
    printf '%s\n' "$@" | sed '/^$/d' | sort -u
}
