# bash completion for rp770-cli: its commands, each command's options, the
# ports for --port (as `rp770-cli ports` lists them, and sim), destinations,
# fault names, and file names by the extensions a command takes. All of it
# is read from the program's own --help texts (in English: LC_ALL=C, whatever
# language the user reads), so that a new command or option completes
# without a change here.

# The value placeholders of the options of `$1 $2 --help`, one "OPTION PLACEHOLDER" a
# line ("--port DEVICE", "-o OUT.txt|-", "--print [QUEUE]", "--verify ").
_rp770_cli_options() {
    local line name arg in_options=
    while IFS= read -r line; do
        case $line in
        Options:) in_options=1; continue ;;
        '') continue ;;
        [!\ ]*) in_options= ;;
        esac
        [ -n "$in_options" ] || continue
        [[ $line =~ ^\ \ (-[A-Za-z],\ )?(-[-A-Za-z0-9]+)(\ ([^ ]+))? ]] || continue
        name=${BASH_REMATCH[2]}
        arg=${BASH_REMATCH[4]}
        [ -n "${BASH_REMATCH[1]}" ] && printf '%s %s\n' "${BASH_REMATCH[1]%, }" "$arg"
        printf '%s %s\n' "$name" "$arg"
    done < <(LC_ALL=C "$1" "$2" --help 2>/dev/null)
}

# The positional placeholders of the command's usage line: "IN.dat|IN.hex|-" ...
_rp770_cli_positionals() {
    local usage line word depth=0 skip=
    while IFS= read -r line; do
        case $line in
        'Usage: '*) usage=${line#Usage: } ;;
        ' '*) [ -n "$usage" ] && usage+=" $line" ;;
        *) [ -n "$usage" ] && break ;;
        esac
    done < <(LC_ALL=C "$1" "$2" --help 2>/dev/null)
    set -f
    # shellcheck disable=SC2086
    set -- $usage
    set +f
    shift 2 # the program and the command
    for word; do
        if ((depth > 0)) || [[ $word == \[* ]]; then
            local open=${word//[^[]/} close=${word//[^]]/}
            ((depth += ${#open} - ${#close}))
            continue
        fi
        if [ -n "$skip" ]; then skip=; continue; fi
        if [[ $word == -* ]]; then skip=1; continue; fi
        printf '%s\n' "$word"
    done
}

# Adds the files under $1 whose names end in one of the extensions of the
# placeholder $2 (any case; all files when it names none), and the folders.
_rp770_cli_files() {
    local cur=$1 placeholder=$2 f e exts=()
    while [[ $placeholder =~ \.([A-Za-z0-9]+)(.*) ]]; do
        exts+=("${BASH_REMATCH[1],,}")
        placeholder=${BASH_REMATCH[2]}
    done
    compopt -o filenames 2>/dev/null
    while IFS= read -r f; do
        if [ -d "$f" ] || ((${#exts[@]} == 0)); then
            COMPREPLY+=("$f")
            continue
        fi
        for e in "${exts[@]}"; do
            if [[ ${f,,} == *."$e" ]]; then COMPREPLY+=("$f"); break; fi
        done
    done < <(compgen -f -- "$cur")
}

# Adds the values of option $2 (placeholder $3) that begin with $4.
_rp770_cli_values() {
    local cli=$1 option=$2 placeholder=$3 cur=$4 value
    case $placeholder in
    DEVICE)
        value=$("$cli" ports 2>/dev/null | awk '{ print $1 }')
        COMPREPLY+=($(compgen -W "$value sim" -- "$cur")) ;;
    DIR)
        compopt -o filenames 2>/dev/null
        COMPREPLY+=($(compgen -d -- "$cur")) ;;
    '[QUEUE]')
        value=$(lpstat -a 2>/dev/null | awk '{ print $1 }')
        COMPREPLY+=($(compgen -W "$value" -- "$cur")) ;;
    NAME\[=*)
        value=$(LC_ALL=C "$cli" simulate --help 2>/dev/null |
            awk '/^Faults:/ { on = 1; next } on && /^  [a-z]/ { n = $1; sub(/\[=.*/, "", n); sub(/=.*/, "=", n); print n }')
        COMPREPLY+=($(compgen -W "$value" -- "$cur"))
        [[ ${COMPREPLY[*]} == *= ]] && compopt -o nospace 2>/dev/null ;;
    NAME)
        if [ "$option" = --destination ]; then
            value=$("$cli" destinations 2>/dev/null | cut -c3-)
            COMPREPLY+=($(compgen -W "$value" -- "$cur"))
        fi ;;
    *.*) _rp770_cli_files "$cur" "$placeholder" ;;
    *[a-z]*\|*)
        COMPREPLY+=($(compgen -W "${placeholder//|/ }" -- "$cur")) ;;
    esac
}

_rp770_cli() {
    COMPREPLY=()
    local cli=${COMP_WORDS[0]} cword=$COMP_CWORD cur=${COMP_WORDS[COMP_CWORD]} prev=
    local -a words=("${COMP_WORDS[@]}")
    # "--port=/dev/tty": the word breaks at "=" leave "--port" "=" "/dev/tty".
    if [ "$cur" = = ]; then
        prev=${words[cword - 1]}
        cur=
    elif ((cword > 1)) && [ "${words[cword - 1]}" = = ]; then
        prev=${words[cword - 2]}
    elif ((cword > 1)); then
        prev=${words[cword - 1]}
    fi

    if ((cword == 1)); then
        local commands
        commands=$(LC_ALL=C "$cli" --help 2>/dev/null |
            awk '/^Commands:/ { on = 1; next } /^[^ ]/ { on = 0 } on && /^  [a-z]/ { print $1 }')
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    local command=${words[1]}
    local options
    options=$(_rp770_cli_options "$cli" "$command")

    # The value of an option.
    local option placeholder
    if [[ $prev == -* ]]; then
        while read -r option placeholder; do
            if [ "$option" = "$prev" ] && [ -n "$placeholder" ]; then
                _rp770_cli_values "$cli" "$option" "$placeholder" "$cur"
                [ "$placeholder" = '[QUEUE]' ] || return
            fi
        done <<<"$options"
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(cut -d' ' -f1 <<<"$options")" -- "$cur"))
        return
    fi

    # A file: the placeholder of the position reached, counting the words
    # that are neither options nor their values.
    local -a positionals
    mapfile -t positionals < <(_rp770_cli_positionals "$cli" "$command")
    local i n=0 word ended=
    for ((i = 2; i < cword; i++)); do
        word=${words[i]}
        if [ -z "$ended" ] && [ "$word" = -- ]; then ended=1; continue; fi
        if [ -z "$ended" ] && [[ $word == -?* ]]; then
            [[ $word == *=* ]] && continue
            [ "${words[i + 1]}" = = ] && { ((i += 2)); continue; }
            while read -r option placeholder; do
                if [ "$option" = "$word" ] && [ -n "$placeholder" ] && [[ $placeholder != \[* ]]; then
                    ((i++))
                    break
                fi
            done <<<"$options"
            continue
        fi
        ((n++))
    done
    local last=$((${#positionals[@]} - 1))
    ((last < 0)) && return
    ((n > last)) && n=$last
    _rp770_cli_files "$cur" "${positionals[n]}"
}

complete -F _rp770_cli rp770-cli
