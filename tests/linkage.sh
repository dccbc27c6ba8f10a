#!/bin/sh
# usage: linkage.sh libc|static MACHINE PROG...
# Every program must be for MACHINE, as readelf names it (any, when empty).
# libc: every program given must need the C library alone. The program's own
# dynamic loader may be listed too: on some targets it provides the
# stack protector's guard, and it is loaded into every process anyway.
# static: every program must be static-PIE: position-independent (ELF type
# DYN), with no interpreter and no library at all.
kind=$1
machine=$2
shift 2
status=0
for prog; do
	if [ -n "$machine" ] && ! readelf -h "$prog" | grep -qE "^ *Machine: +(.* )?$machine\$"; then
		echo "$prog: $(readelf -h "$prog" | grep 'Machine:'), want $machine"
		status=1
	fi
	interp=$(readelf -l "$prog" | sed -n 's/.*program interpreter: \(.*\)]$/\1/p')
	libs=$(readelf -d "$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
	case $kind in
	libc)
		libs=$(printf '%s\n' "$libs" | grep -vxF "${interp##*/}" | tr '\n' ' ')
		echo "$prog: $libs"
		[ "$libs" = "libc.so.6 " ] || status=1 ;;
	static)
		type=$(readelf -h "$prog" | sed -n 's/^ *Type: *\([A-Z]*\).*/\1/p')
		echo "$prog: type $type, interpreter [$interp], libraries [$libs]"
		[ "$type" = DYN ] && [ -z "$interp" ] && [ -z "$libs" ] || status=1 ;;
	*)
		echo "usage: linkage.sh libc|static MACHINE PROG..." >&2
		exit 2 ;;
	esac
done
exit $status
