# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for pigmentry
_pigmentry() {
    local cur prev commands formats
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    commands="pick quit convert harmony contrast gradient extract palette name scale --studio --help --version"
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    case $prev in
        --format)
            # Names with a space are inserted quoted, as one word; a name
            # begun with a quote is finished inside it.
            local format typed=$cur quote=
            case $cur in \'* | \"*) quote=${cur:0:1}; typed=${cur:1} ;; esac
            COMPREPLY=()
            for format in HEX "HEX Alpha" RGB RGBA HSL HSV "CSS Variable" SwiftUI NSColor Android Flutter \
                Tailwind JSON OKLCH OKLab; do
                [[ $format == "$typed"* ]] || continue
                if [ -n "$quote" ]; then
                    COMPREPLY+=("$quote$format$quote")
                else
                    COMPREPLY+=("$(printf '%q' "$format")")
                fi
            done
            return ;;
        --to) COMPREPLY=($(compgen -W "json gpl ase hex css scss html" -- "$cur")); return ;;
    esac
    case ${COMP_WORDS[1]} in
        extract | palette) COMPREPLY=($(compgen -f -- "$cur")) ;;
        convert) COMPREPLY=($(compgen -W "--format --all --help" -- "$cur")) ;;
        harmony | pick | scale) COMPREPLY=($(compgen -W "--format --help" -- "$cur")) ;;
        contrast) COMPREPLY=($(compgen -W "--suggest --help" -- "$cur")) ;;
        gradient) COMPREPLY=($(compgen -W "--angle --help" -- "$cur")) ;;
    esac
}
complete -F _pigmentry pigmentry
