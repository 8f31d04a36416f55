# Bash completion for tandrel-cli: its commands, their options, the choices
# of --on-conflict and --on-error, and folders for SOURCE and TARGET.

_tandrel_cli() {
    local cur prev words cword split
    _init_completion -s || return

    local command='' i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        cards | check | list | plan | copy)
            command=${words[i]}
            break
            ;;
        esac
    done

    case $prev in
    --on-conflict)
        COMPREPLY=($(compgen -W 'ask auto replace dont-copy keep-both skip' -- "$cur"))
        return
        ;;
    --on-error)
        COMPREPLY=($(compgen -W 'ask skip abort' -- "$cur"))
        return
        ;;
    --progress)
        COMPREPLY=($(compgen -W 'bar lines json' -- "$cur"))
        return
        ;;
    --folder-mask | --file-mask)
        # A mask is free text.
        return
        ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        local masks='--folder-mask --no-folder --file-mask --no-rename' options
        case $command in
        '') options='--version' ;;
        cards) options='--json' ;;
        check) options='' ;;
        list) options='--json' ;;
        plan) options="$masks --join --json" ;;
        copy) options="$masks --on-conflict --on-error --join --verify --progress --quiet" ;;
        esac
        COMPREPLY=($(compgen -W "-h --help $options" -- "$cur"))
        return
    fi

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'cards check list plan copy' -- "$cur"))
    elif [[ $command != cards ]]; then
        _filedir -d
    fi
} &&
    complete -F _tandrel_cli tandrel-cli
