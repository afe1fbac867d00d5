#!/usr/bin/env bash
# The prompt on a terminal: the host runs on a pseudo-terminal (script(1))
# and gets keys as typed: a result reused as "ans", an export name completed
# with Tab, the last line recalled with Ctrl-P and edited (Ctrl-A, Ctrl-F,
# Ctrl-H), "help EXPORT", and the history kept in the home folder. The keys
# avoid the terminal's own editing characters, so what arrives before the
# line editor takes the terminal is passed on unchanged.
# Usage: prompt_test.sh VYXMATH WORK-FOLDER
set -euo pipefail
host=$1 work=$2
home=$work/prompt-home
rm -rf "$home" && mkdir -p "$home"

keys='n_tasu 1 2\nn_kakeru ans 3\nn_kai\t 5\n\x10\x086\n\x10\x01\x06\x06\x06\x06\x06\x06\x06\x08\x08\x08\x08\x08fib\nhelp n_sosu\nquit\n'
# shellcheck disable=SC2059
printf "$keys" | TERM=xterm HOME=$home timeout 20 script -qec "'$host' -" /dev/null | tr -d '\r' >"$work/prompt.out"

# The answers, in order: 1 + 2, ans * 3, 5!, 6! (recalled and edited), fib(6)
# from the same line with its name edited, and the help page's first line.
answers=$(grep -a -E '^(-?[0-9]+\.?[0-9]*|usage: .*)$' "$work/prompt.out" | tr '\n' ' ')
expected='3. 9. 120 720 8 usage: vyxmath n_sosu [N] '
failures=0
if [ "$answers" != "$expected" ]; then
    echo "FAIL: the session answered '$answers', not '$expected'" >&2
    failures=1
fi
if [ "$(grep -ac '^vyxmath> ' "$work/prompt.out")" -lt 7 ]; then
    echo "FAIL: no prompt before each line" >&2
    failures=1
fi
if ! grep -q 'n_fib\\040\\0406' "$home/.vyxmath_history"; then
    echo "FAIL: the edited line is not in the history file" >&2
    failures=1
fi
[ "$failures" -eq 0 ] || { cat -A "$work/prompt.out" >&2; exit 1; }
echo "prompt: 6 answers, completion, recall and editing as typed"
