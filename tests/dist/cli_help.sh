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

# The options of a command that take one of a set of words: "option word..."
# a line, the words as the help lists them ("--on-error ask|skip|abort").
help_choices() {
    "$cli" "$1" --help | awk '/^  -/ && $2 ~ /\|/ {
        n = split($2, words, "|"); line = $1
        for (i = 1; i <= n; i++) line = line " " words[i]
        print line }'
}

# Sorted words of its arguments, one a line: a list to compare.
word_list() {
    printf '%s\n' "$@" | sed '/^$/d' | sort -u
}
