#!/usr/bin/env bash
# The bash completion offers what the host accepts: export names for the
# call's first word and after --help, options and their values, nothing for
# an export's arguments; and every option of `vyxmath --help` is offered by
# both the bash and the zsh completion (zsh's is also checked for syntax when
# zsh is installed).
# Usage: completion_test.sh BASH-COMPLETION ZSH-COMPLETION VYXMATH
set -euo pipefail
bash_completion=$1 zsh_completion=$2 host=$3
failures=0

# shellcheck source=/dev/null
source "$bash_completion"

# offers "WORDS..." -- EXPECTED: completes the last word of WORDS.
offers() {
    local expected=${*: -1}
    COMP_WORDS=("${@:1:$#-2}")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vyxmath || true
    local got="${COMPREPLY[*]}"
    if [ "$got" != "$expected" ]; then
        echo "FAIL: '${COMP_WORDS[*]}' offers '$got', not '$expected'" >&2
        failures=$((failures + 1))
    fi
}

offers vyxmath n_s -- "n_sqrt n_sin n_sinh n_seikibunpu n_sosu"
offers vyxmath n_ta -- "n_tasu n_tan n_tanh"
offers vyxmath -q --digits 3 n_kai -- "n_kaijo"
offers vyxmath n_sin "" -- ""
offers vyxmath n_tasu -- "n_tasu"
offers vyxmath n_tasu 1 "" -- ""
offers vyxmath --help n_sin n_co -- "n_cos n_cosh n_comb"
offers vyxmath --fo -- "--format"
offers vyxmath --format "" -- "plain tsv json"
offers vyxmath --format = j -- "json"
offers vyxmath --errors s -- "stdout stderr"
offers vyxmath -- n_f -- "n_fmod n_floor n_fabs n_fib"
offers vyxmath -- -q -- ""

# Every option the help lists, in both completions, and no other.
help_options=$("$host" --help | sed -n '/^Options:/,/^$/p' | grep -oE '^  (-[a-zA-Z], |    )--[-a-z]+' |
    grep -oE -- '-[-a-zA-Z]+' | sort)
for file in "$bash_completion" "$zsh_completion"; do
    listed=$(grep -m1 -E '^ *(local )?options=' "$file" | grep -oE '(^|[ ("])-[-a-zA-Z][-a-z]*' | tr -d ' ("' | sort)
    if [ "$listed" != "$help_options" ] || [ -z "$listed" ]; then
        echo "FAIL: $file offers $(echo $listed), the help lists $(echo $help_options)" >&2
        failures=$((failures + 1))
    fi
done
if command -v zsh >/dev/null && ! zsh -n "$zsh_completion"; then
    echo "FAIL: $zsh_completion does not parse" >&2
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "completions: all offers as expected"
exit "$failures"
