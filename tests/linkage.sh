#!/bin/sh
# usage: linkage.sh libc|static MACHINE PROG...
# Every program must be for MACHINE, as readelf names it (any, when empty).
# libc: every program or shared object given must need the C library alone.
# The dynamic loader that the programs name may be listed too: on some
# targets it provides the stack protector's guard, and it is loaded into
# every process anyway. Programs come before shared objects, which name none.
# static: every program must be static-PIE: position-independent (ELF type
# DYN), with no interpreter and no library at all.
kind=$1
machine=$2
shift 2
status=0
loader=
for prog; do
	if [ -n "$machine" ] && ! readelf -h "$prog" | grep -qE "^ *Machine: +(.* )?$machine\$"; then
		echo "$prog: $(readelf -h "$prog" | grep 'Machine:'), want $machine"
		status=1
	fi
	interp=$(readelf -l "$prog" | sed -n 's/.*program interpreter: \(.*\)]$/\1/p')
	libs=$(readelf -d "$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
	[ -z "$interp" ] || loader=${interp##*/}
	case $kind in
	libc)
		libs=$(printf '%s\n' "$libs" | grep -vxF "$loader" | tr '\n' ' ')
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
