# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for pigmentry
_pigmentry() {
    local cur prev commands formats
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    commands="pick quit convert harmony contrast gradient extract palette --studio --help --version"
    formats="HEX 'HEX Alpha' RGB RGBA HSL HSV 'CSS Variable' SwiftUI NSColor Android Flutter Tailwind JSON OKLCH OKLab"
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    case $prev in
        --format) local IFS=$'\n'; COMPREPLY=($(compgen -W "$(eval printf '%s\\n' $formats)" -- "$cur")); return ;;
        --to) COMPREPLY=($(compgen -W "gpl json" -- "$cur")); return ;;
    esac
    case ${COMP_WORDS[1]} in
        extract | palette) COMPREPLY=($(compgen -f -- "$cur")) ;;
        convert) COMPREPLY=($(compgen -W "--format --all --help" -- "$cur")) ;;
        harmony | pick) COMPREPLY=($(compgen -W "--format --help" -- "$cur")) ;;
        gradient) COMPREPLY=($(compgen -W "--angle --help" -- "$cur")) ;;
    esac
}
complete -F _pigmentry pigmentry
