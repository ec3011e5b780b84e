# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for sifter-cli. Copyright (C) Norvane.
# Needs nothing of the bash-completion package: only compgen and complete.

_sifter_cli_options='--folders --names --words --mode --hex --no-unicode --threads
--case-sensitive --short-names --regex-names --regex-words --exclude --size-unit --size1 --size2 --date-kind --date-part --date1
--date2 --no-hidden --no-readonly --no-system --no-subfolders --criteria --save --list --long
--null --show-lines --color --help --version -n -w -m -x -o -l -0 -h'

# Sets COMPREPLY to the lines of its standard input (names may hold blanks).
_sifter_cli_reply()
{
    local line
    COMPREPLY=()
    while IFS= read -r line; do
        COMPREPLY+=("$line")
    done
}

_sifter_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} option=
    ((COMP_CWORD > 0)) && option=${COMP_WORDS[COMP_CWORD - 1]}
    # "--mode=a" arrives as "--mode" "=" "a" while "=" breaks words, as it does by default.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $option == = ]] && ((COMP_CWORD > 1)); then
        option=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == --*=* ]]; then
        option=${cur%%=*}
        cur=${cur#*=}
    fi
    # A value after an option that ended the options ("--") is a folder like any other.
    local word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -- ]] && option=
    done

    case $option in
    -m | --mode) _sifter_cli_reply < <(compgen -W 'any all phrase without' -- "$cur"); return ;;
    --size-unit) _sifter_cli_reply < <(compgen -W 'bytes kb mb gb' -- "$cur"); return ;;
    --date-kind) _sifter_cli_reply < <(compgen -W 'modified created accessed' -- "$cur"); return ;;
    --date-part) _sifter_cli_reply < <(compgen -W 'date time datetime' -- "$cur"); return ;;
    --color) _sifter_cli_reply < <(compgen -W 'auto always never' -- "$cur"); return ;;
    --size1 | --size2 | --date1 | --date2)
        # Only the comparison can be offered; the number or date is the user's.
        [[ -z $cur ]] && _sifter_cli_reply < <(compgen -W '= >= <=' -- "$cur")
        return ;;
    -n | --names | -w | --words | --threads | --exclude) COMPREPLY=(); return ;;
    --criteria | --list)
        compopt -o filenames 2>/dev/null
        _sifter_cli_reply < <(compgen -d -- "$cur"; compgen -f -X '!*.sifter' -- "$cur"; [[ $cur == "" || $cur == - ]] && echo -)
        return ;;
    -o | --save)
        compopt -o filenames 2>/dev/null
        _sifter_cli_reply < <(compgen -f -- "$cur")
        return ;;
    --folders)
        # The folder being typed is the text after the last ";".
        local before=
        [[ $cur == *\;* ]] && before=${cur%;*}\;
        compopt -o nospace 2>/dev/null
        _sifter_cli_reply < <(compgen -d -S / -P "$before" -- "${cur##*;}")
        return ;;
    esac

    if [[ $cur == -* ]] && [[ " ${COMP_WORDS[*]:1:COMP_CWORD-1} " != *" -- "* ]]; then
        _sifter_cli_reply < <(compgen -W "$_sifter_cli_options" -- "$cur")
        return
    fi
    compopt -o filenames 2>/dev/null
    _sifter_cli_reply < <(compgen -d -- "$cur")
}

complete -F _sifter_cli sifter-cli
