#!/bin/sh
# Every program given must list libc.so.6 as its only needed library.
status=0
for prog; do
	libs=$(readelf -d "$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')
	echo "$prog: $libs"
	[ "$libs" = "libc.so.6 " ] || status=1
done
exit $status
