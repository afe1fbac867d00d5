#!/usr/bin/env bash
# Runs the examples of the README's section on the host and compares what
# they print, standard error and output together, with what the section
# shows. An example is an indented "$ " line naming ./vyxmath, then the
# lines printed, up to the next example or the text around; empty lines
# count as printed only before another example.
# Usage: readme_examples.sh README.md VYXMATH
set -uo pipefail
readme=$1 host=$2
section=$(sed -n '/^## The host$/,/^## /p' "$readme")
failures=0 count=0

check() {
    local command=$1 expected=$2 got
    command=${command//.\/vyxmath/\"$host\"}
    got=$(bash -c "$command" 2>&1; echo x)
    got=${got%x}
    count=$((count + 1))
    if [ "$got" != "$expected" ]; then
        printf 'FAIL: %s\n--- shown\n%s--- printed\n%s' "$command" "$expected" "$got" >&2
        failures=$((failures + 1))
    fi
}

command="" expected="" blanks=""
while IFS= read -r line; do
    if [[ $line == '    $ '*'./vyxmath'* ]]; then
        [ -n "$command" ] && check "$command" "$expected$blanks"
        command=${line#    \$ } expected="" blanks=""
    elif [ -n "$command" ] && [ -z "$line" ]; then
        blanks+=$'\n'
    elif [ -n "$command" ] && [[ $line == '    '* ]]; then
        expected+="$blanks${line#    }"$'\n' blanks=""
    elif [ -n "$command" ]; then
        check "$command" "$expected"
        command=""
    fi
done <<<"$section"
[ -n "$command" ] && check "$command" "$expected"

echo "README host examples: $count run, $failures failed"
[ "$count" -gt 0 ] && [ "$failures" -eq 0 ]
