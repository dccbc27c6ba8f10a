#!/bin/sh
# usage: skip.sh design|missing REASON
# Report a test that cannot run here as skipped (exit 77), with the reason.
# "design": the build cannot run it at all (an emulator, a static program).
# "missing": this machine lacks a tool or resource that the build could use;
# where FITBYTES_RUN_ALL is set (CI, with everything installed) that is a
# failure instead.
kind=$1
shift
if [ "$kind" = missing ] && [ -n "${FITBYTES_RUN_ALL:-}" ]; then
	echo "FAIL: cannot run, though FITBYTES_RUN_ALL is set: $*"
	exit 1
fi
echo "skipped: $*"
exit 77
