#!/bin/bash
# What the builtins owe the shell that loads them, beyond their bytes: they
# load by name, answer help and unload; their output keeps its order with
# the shell's own and leaves standard output open with its flags as they
# were; their memory is all given back; and a signal that the shell acts on
# ends one that waits for its reader, while a child that exits does not.
#
# usage: BASH... builtins.sh LIBDIR CALLS BASH...
# LIBDIR holds the builtins; CALLS is how many calls the memory check makes;
# BASH... is the command that starts this shell again.
# $FITBYTES_SINK is the harness that makes a non-blocking pipe (sink.cpp).
set -u
export LC_ALL=C
lib=$1
calls=$2
shift 2
shell=("$@")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cases=0
fails=0

fail() {
	fails=$((fails + 1))
	printf 'FAIL: %s\n' "$*" >&2
}

# expect WHAT GOT WANT
expect() {
	cases=$((cases + 1))
	[ "$2" = "$3" ] || fail "$1: got [${2:0:300}], want [${3:0:300}]"
}

# A fresh shell with both builtins, running the script $1 with the rest as
# its arguments.
fresh() {
	local script=$1
	shift
	"${shell[@]}" -c 'enable -f "$0/midclip" midclip && enable -f "$0/padfront" padfront && eval "$1"' \
	    "$lib" "$script" "$@"
}

# Loaded by name from BASH_LOADABLES_PATH, help, and unloaded.
BASH_LOADABLES_PATH=$lib enable midclip padfront
expect "enable by name" "$(type -t midclip padfront | tr '\n' ' ')" "builtin builtin "
expect "help" "$(help midclip | head -n 1)" "midclip: midclip [text [width]]"
expect "help has a line of what it does" "$(help padfront | sed -n 2p | grep -c '^ .*[a-z]')" 1

# Output in order with echo and printf, into a file; standard output open
# afterwards, its flags unchanged.
flags() { sed -n 's/^flags:[[:space:]]*//p' "/proc/$BASHPID/fdinfo/1"; }
{
	before=$(flags)
	echo a
	midclip bcdefghij 5
	printf c
	padfront d 3
	echo e
	[ "$(flags)" = "$before" ] || echo "flags $before became $(flags)"
} >"$tmp/out"
expect "order with echo and printf" "$(cat "$tmp/out")" $'a\nb...jc  de'
# The flags of a non-blocking pipe that is full when the builtin starts, and
# a child that exits while it waits for room.
out=$("${FITBYTES_SINK:?the sink harness}" late "${shell[@]}" -c '
	enable -f "$0/midclip" midclip || exit
	before=$(sed -n "s/^flags:[[:space:]]*//p" /proc/$$/fdinfo/1)
	sleep 0.1 &
	midclip x 200000
	st=$?
	after=$(sed -n "s/^flags:[[:space:]]*//p" /proc/$$/fdinfo/1)
	printf "|%s|%s|" "$st" "$([ "$before" = "$after" ] && echo same || echo "$before $after")"
	echo more' "$lib" 2>&1)
expect "a late reader, a child exiting, flags kept" "${#out} ${out:0:1} ${out:200000}" "200012 x |0|same|more"

# Memory: calls that succeed and calls that fail, none of which may keep a
# byte. The shell may grow by 256 KiB at most.
rss() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB$/\1/p' "/proc/$BASHPID/status"; }
loop() {
	local i
	for ((i = 0; i < $1; i += 4)); do
		midclip abcdefghijklmnopqrstuvwxyz 10
		padfront 42 >&-
		midclip x 4294967295
		padfront abc 300 >/dev/full
	done >/dev/null
}
loop 4000
before=$(rss)
loop "$calls"
after=$(rss)
cases=$((cases + 1))
[ $((after - before)) -le 256 ] ||
	fail "memory: $calls calls grew the shell from $before KiB to $after KiB"

# A signal while a builtin waits for a reader that does not read: a trapped
# SIGINT ends the call with status 1, runs the trap and the script goes on;
# an untrapped one stops the script. A reader that takes everything, late,
# would end the wait with status 0 instead; SIGPIPE after the reader has
# gone, with 141.
waiting='(sleep 0.3; kill -INT $$) & midclip x 1000000; echo "status $?" >&2; echo after >&2'
{ fresh "trap 'echo trapped >&2' INT; $waiting" | { sleep 2; cat >/dev/null; }; } 2>"$tmp/err"
expect "a trapped SIGINT while waiting" "$(sort "$tmp/err" | tr '\n' ' ')" "after status 1 trapped "
{ fresh "$waiting" | { sleep 2; cat >/dev/null; }; echo "shell ${PIPESTATUS[0]}" >&2; } 2>"$tmp/err"
expect "an untrapped SIGINT while waiting" "$(cat "$tmp/err")" "shell 130"

# Unloaded, the name is gone.
enable -d midclip
expect "enable -d" "$(type -t midclip)" ""

echo "builtins: $cases cases, $fails failed"
[ "$fails" -eq 0 ]
