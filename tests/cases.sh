#!/bin/bash
# End-to-end cases for both programs: each case runs one program and checks
# its exact output bytes, that standard error stays empty, and its exit status.
#
# usage: cases.sh GROUP BINDIR [RUNNER ARGS...]
#        BASH... cases.sh GROUP --builtins LIBDIR BASH...
# The second form runs the bash builtins of LIBDIR inside the shell that runs
# this script, BASH... being the command that starts that shell again.
# GROUP is one of:
#   output    the cases, into files, full and closed outputs and
#             non-blocking pipes and terminals with slow readers
#   badclose  a close of standard output that fails (needs strace)
#   nomem     a buffer that cannot be allocated (needs ulimit -v)
#   widest    the widest width there is, 4294967294 (needs 4 GiB)
# RUNNER, when given, runs every program (valgrind, an emulator).
# $FITBYTES_SINK is the harness that makes outputs a shell cannot (sink.cpp).
#
# A group that cannot run here exits 77 after saying why (see skip.sh).
set -u
export LC_ALL=C		# bytes, not characters, in every substring below
group=$1
builtins=no
if [ "$2" = --builtins ]; then
	builtins=yes
	shift
fi
bin=$2
shift 2
runner=("$@")
skip="$(dirname "$0")/skip.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cases=0
fails=0
if [ $builtins = yes ]; then
	enable -f "$bin/midclip" midclip && enable -f "$bin/padfront" padfront || exit 1
fi

sp() { printf '%*s' "$1" ''; }			# N spaces
rep() { printf "%$2s" '' | tr ' ' "$1"; }	# the byte C, N times

fail() {
	fails=$((fails + 1))
	printf 'FAIL: %s\n' "$*" >&2
}

# invoke PROG [ARGS...]: one run of PROG as the build ships it: the program
# under the runner, or the builtin in this shell.
invoke() {
	if [ $builtins = yes ]; then
		"$@"
	else
		"${runner[@]}" "$bin/$1" "${@:2}"
	fi
}

# As invoke, as the last command of a subshell, which a program replaces.
invoke_last() {
	if [ $builtins = yes ]; then
		"$@"
	else
		exec "${runner[@]}" "$bin/$1" "${@:2}"
	fi
}

# command_of PROG [ARGS...]: the words that start such a run as a process of
# its own, for a harness: the program, or a shell that loads the builtin.
command_of() {
	if [ $builtins = yes ]; then
		cmd=("${runner[@]}" -c 'enable -f "$0/$1" "$1" && "$@"' "$bin" "$@")
	else
		cmd=("${runner[@]}" "$bin/$1" "${@:2}")
	fi
}

# check STATUS EXPECTED PROG [ARGS...]
# Output goes where $sink says: a file (the default, compared byte for
# byte), "full" for /dev/full, "closed" for a closed standard output,
# "late", "nearfull" or "tty" for a non-blocking pipe whose reader starts
# late, one that is nearly full, or a raw terminal read slowly,
# "fsize" for a file that may not grow beyond 1 KiB (and "fsize-ignored"
# for one where SIGXFSZ is ignored), "badclose" for a file whose close fails (strace makes the run's last
# close fail, the one of standard output).
check() {
	local status=$1 expected=$2 prog=$3 rc
	shift 3
	cases=$((cases + 1))
	: >"$tmp/out"
	case ${sink:-file} in
	file)	invoke "$prog" "$@" >"$tmp/out" 2>"$tmp/err" ;;
	full)	invoke "$prog" "$@" >/dev/full 2>"$tmp/err" ;;
	closed)	invoke "$prog" "$@" >&- 2>"$tmp/err" ;;
	late|tty|nearfull)
		local mode=${sink/nearfull/full} cmd
		command_of "$prog" "$@"
		"${FITBYTES_SINK:?the sink harness}" "$mode" "${cmd[@]}" \
		    >"$tmp/out" 2>"$tmp/err" ;;
	# bash reports a child killed by a signal on its own standard error.
	fsize)	{ (ulimit -f 1 && invoke_last "$prog" "$@") \
		    >"$tmp/out" 2>"$tmp/err"; } 2>/dev/null ;;
	fsize-ignored)
		(ulimit -f 1 && trap '' XFSZ && invoke_last "$prog" "$@") \
		    >"$tmp/out" 2>"$tmp/err" ;;
	badclose)
		strace -qq -o "$tmp/trace" -e trace=close "$bin/$prog" "$@" >/dev/null
		local n=$(grep -c '^close(' "$tmp/trace")
		tail -n 1 "$tmp/trace" | grep -q '^close(1)' || fail "$prog: last close is not of fd 1"
		strace -qq -o /dev/null -e inject=close:error=EIO:when="$n" \
		    "$bin/$prog" "$@" >"$tmp/out" 2>"$tmp/err" ;;
	esac
	rc=$?
	printf '%s' "$expected" >"$tmp/want"
	local what="$prog $(printf '[%.40s] ' "$@")(${sink:-file})"
	[ "$rc" -eq "$status" ] || fail "$what: exit $rc, want $status"
	cmp -s "$tmp/out" "$tmp/want" ||
		fail "$what: printed $(wc -c <"$tmp/out") bytes [$(head -c 200 "$tmp/out")], want ${#expected} [${expected:0:200}]"
	[ -s "$tmp/err" ] && fail "$what: wrote to stderr: $(head -c 500 "$tmp/err")"
}

# A group that has run ends here.
finish() {
	echo "$group: $cases cases, $fails failed"
	[ "$fails" -eq 0 ]
	exit
}

az=abcdefghijklmnopqrstuvwxyz
bytes=$(printf "$(printf '\\%03o' $(seq 1 255))")	# every byte but zero
big=$(rep a 131071)				# the longest argument Linux takes

case $group in
badclose|nomem|widest) ;;
output)
# midclip: status, expected, arguments
check 0 "$(sp 76)"		midclip
check 0 "abc$(sp 73)"		midclip abc
check 0 "$(sp 8)"		midclip '' 8
check 0 "a...h"			midclip abcdefgh 5
check 0 "ab...h"		midclip abcdefgh 6
check 0 "ab...gh"		midclip abcdefgh 7
check 0 "abcdefgh"		midclip abcdefgh 8
check 0 "abcdefgh "		midclip abcdefgh 9
check 0 "abcd...xyz"		midclip $az 10
check 0 "abcd...wxyz"		midclip $az 11
check 0 "abcde"			midclip abcde 5
check 0 "a...f"			midclip abcdef 5
check 0 "ab$(sp 8)"		midclip ab 10
check 0 "abc$(sp 9)"		midclip abc 12x
check 0 "abc$(sp 9)"		midclip abc 12 third
# widths below the least are raised; zero, negative and junk fall back
for w in 1 2 3 4 +4 ' 3'; do
	check 0 "a...h"		midclip abcdefgh "$w"
done
for w in 0 -0 x '' 0x10 -1 -5 -4294967301 -99999999999999999999999 ' -7' '+-3'; do
	check 0 "abcdefgh$(sp 68)"	midclip abcdefgh "$w"
done
check 0 "abc$(sp 9)"		midclip abc $'\t\n +12'
check 0 "abc$(sp 9)"		midclip abc 0012
# a byte is a position: multibyte characters are cut and counted as bytes
check 0 $'h\xc3...o'		midclip 'hélloo' 6
check 0 "é$(sp 3)"		midclip é 5
check 0 "$bytes"		midclip "$bytes" 255
check 0 "${bytes:0:126}...${bytes:130}"	midclip "$bytes" 254x
check 0 "${bytes:0:9}...${bytes:255-8}"	midclip "$bytes" 20
check 0 "${big:0:50}...${big:0:49}"	midclip "$big" 102
check 0 "$big$(sp 9)"		midclip "$big" 131080
# too wide for a 32-bit count: fail, print nothing
for w in 4294967295 4294967301 99999999999999999999999; do
	check 1 ""		midclip abc "$w"
done

# padfront: status, expected, arguments
check 0 "  0"			padfront
check 0 "  7"			padfront 7
check 0 " 42"			padfront 42
check 0 "100"			padfront 100
check 0 "abcd"			padfront abcd
check 0 "$(sp 3)"		padfront ''
check 0 " "			padfront '' 1
check 0 "$(sp 4)"		padfront '' 4
check 0 "   ab"			padfront ab 5
check 0 "$(sp 6)ab"		padfront ab 8
check 0 "ab"			padfront ab 1
check 0 "ab"			padfront ab 2
check 0 " ab"			padfront ab 3
check 0 "abcdef"		padfront abcdef 4
check 0 "$(sp 5)12"		padfront 12 7 third
check 0 " é"			padfront é 3
check 0 "$(sp 45)$bytes"	padfront "$bytes" 300
check 0 " $big"			padfront "$big" 131072
check 0 "$big"			padfront "$big" 5
for w in 0 -0 x '' 0x10 -1 -4294967301 -99999999999999999999999; do
	check 0 "abc"		padfront abc "$w"
	check 0 " ab"		padfront ab "$w"
done
for w in 4294967295 4294967301 99999999999999999999999; do
	check 1 ""		padfront abc "$w"
done

# output that does not reach its destination fails the run
for sink in full closed; do
	check 1 ""		midclip abc
	check 1 ""		midclip "$big" 100000
	check 1 ""		padfront
	check 1 ""		padfront abcdef 2
	check 1 ""		padfront x 100000
done

# a file size limit ends the run as a reader that goes away does: by its
# signal (though not under valgrind, which takes the buffer of a run that a
# signal ends for a leak), or with exit 1 where the signal is ignored
if [[ ${runner[0]:-} != *valgrind ]]; then
	sink=fsize
	check 153 "x$(sp 1023)"	midclip x 5000
	check 153 "$(sp 1024)"	padfront x 5000
fi
sink=fsize-ignored
check 1 "x$(sp 1023)"		midclip x 5000
check 1 "$(sp 1024)"		padfront x 5000

# a non-blocking output is waited for, never taken for a lost one: a
# reader that starts late, a pipe with room for 6 bytes, a slow terminal
sink=late
check 0 "x$(sp 199999)"		midclip x 200000
check 0 "$(sp 199999)x"		padfront x 200000
sink=nearfull
check 0 "abc$(sp 7)"		midclip abc 10
check 0 "$(sp 7)abc"		padfront abc 10
sink=tty
check 0 "x$(sp 19999)"		midclip x 20000
check 0 "$(sp 19999)x"		padfront x 20000
sink=file
finish ;;
*)
	echo "usage: cases.sh output|badclose|nomem|widest BINDIR [RUNNER ARGS...]" >&2
	exit 2 ;;
esac

# A close that fails and a memory limit must reach the programs' own system
# calls and address space, where a runner (valgrind, an emulator) stands.
# A builtin's runner is the shell itself, which matters only when it runs
# under an emulator.
wrapper=${runner[0]:-}
[ $builtins = no ] || [[ ${wrapper##*/} == qemu-* ]] || wrapper=
case $group in
badclose|nomem)
	[ -z "$wrapper" ] ||
		exec "$skip" design "the programs run under ${wrapper##*/}, which $group would test instead" ;;
esac

case $group in
badclose)
	# A close of standard output that fails loses the run too, though
	# every byte was written: on some file systems that is where a lost
	# write shows.
	[ $builtins = no ] ||
		exec "$skip" design "a builtin leaves standard output open for its shell"
	command -v strace >/dev/null || exec "$skip" missing "strace is not installed"
	[ -z "$(strace -o /dev/null "$bin/midclip" ab 6 2>&1 >/dev/null)" ] ||
		exec "$skip" missing "the programs do not run cleanly under strace here"
	sink=badclose
	check 1 "abc  "		midclip abc 5
	check 1 "   ab"		padfront ab 5 ;;
nomem)
	# A buffer that cannot be allocated fails the run.
	if [ $builtins = yes ]; then
		ulimit -v 300000 2>/dev/null
	else
		runner=(sh -c 'ulimit -v 300000 && exec "$0" "$@"')
	fi
	[ "$(invoke midclip ab 6 2>/dev/null)" = "ab    " ] ||
		exec "$skip" missing "no address space limit here"
	check 1 ""		midclip x 1000000000
	check 1 ""		midclip x 4294967294
	check 1 ""		padfront x 1000000000
	check 1 ""		padfront x 4294967294 ;;
widest)
	# The widest width works where a buffer of 4 GiB can be had; its bytes
	# are counted, not stored.
	# Both run at once: most of their time goes to the kernel's page faults.
	need=$((2 * 4096 + 512))	# MiB
	have=$(sed -n 's/^MemAvailable: *\([0-9]*\) kB$/\1/p' /proc/meminfo)
	have=$((${have:-0} / 1024))
	[ "$have" -ge "$need" ] ||
		exec "$skip" missing "$have MiB of memory available, $need MiB needed"
	pids=()
	for prog in midclip padfront; do
		"${FITBYTES_SINK:?the sink harness}" count "${runner[@]}" "$bin/$prog" x 4294967294 \
		    >"$tmp/$prog" 2>&1 &
		pids+=($!)
	done
	for prog in midclip padfront; do
		cases=$((cases + 1))
		wait "${pids[0]}"
		rc=$?
		pids=("${pids[@]:1}")
		[ "$rc" -eq 0 ] && [ "$(cat "$tmp/$prog")" = 4294967294 ] ||
			fail "$prog x 4294967294: exit $rc, printed $(head -c 200 "$tmp/$prog")"
	done ;;
esac
finish
