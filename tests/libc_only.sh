#!/bin/sh
# Every program given must need the C library alone. The program's own
# dynamic loader may be listed too: on some targets (arm64) it provides the
# stack protector's guard, and it is loaded into every process anyway.
status=0
for prog; do
	interp=$(readelf -l "$prog" | sed -n 's/.*program interpreter: \(.*\)]$/\1/p')
	libs=$(readelf -d "$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
		grep -vxF "${interp##*/}" | tr '\n' ' ')
	echo "$prog: $libs"
	[ "$libs" = "libc.so.6 " ] || status=1
done
exit $status
