# The targets: every Linux machine the project builds for, by its Debian
# architecture, and a toolchain file for any of them with Debian's cross
# compilers:
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/cross.cmake -DFITBYTES_TARGET=arm64 ...
#
# FITBYTES_TARGET is a Debian architecture (the programs link the target's
# own C library, under /usr/TRIPLET) or musl-ARCH (static-PIE programs
# linked with Debian's musl-dev of that architecture, which run on any
# Linux kernel of the machine with nothing else installed). Targets the host
# cannot run execute their tests under qemu-user; no binfmt handlers are
# needed. A preset of each name exists for every row.
#
# Everything else that needs the list of targets derives it from this table;
# run as a script it prints what it holds:
#
#   cmake -P cmake/cross.cmake              the table, a row a line
#   cmake -P cmake/cross.cmake packages     Debian packages that build and
#                                           run every target
#   cmake -P cmake/cross.cmake foreign      architectures to add to dpkg:
#                                           every other one, whose bash
#                                           the builtins' tests load them into

# Columns: Debian architecture; GNU triplet of the compiler;
# CMAKE_SYSTEM_PROCESSOR; qemu-user emulator, ending in ? where it is used
# only when the host cannot run the programs; musl triplet (- for none),
# ending in * where Debian ships no musl-dev of the architecture and
# cmake/musl-from-source makes it from Debian's musl source; the machine
# readelf names; the oldest processors the programs must run on, as qemu's
# -cpu names them (- for qemu's default); RPM architecture of the static
# programs (- for none); Arch Linux architecture of them, on Arch Linux or
# its ports for other machines (- for none).
set(fitbytes_targets
	"amd64   x86_64-linux-gnu      x86_64   qemu-x86_64? x86_64-linux-musl      X86-64    qemu64         x86_64  x86_64"
	"i386    i686-linux-gnu        i686     qemu-i386?   i386-linux-musl        80386     pentium2       -       i686"
	"arm64   aarch64-linux-gnu     aarch64  qemu-aarch64 aarch64-linux-musl     AArch64   cortex-a53     aarch64 aarch64"
	"armhf   arm-linux-gnueabihf   armv7l   qemu-arm     arm-linux-musleabihf   ARM       cortex-a8      -       armv7h"
	"armel   arm-linux-gnueabi     armv5tel qemu-arm     arm-linux-musleabi     ARM       arm926,arm1176 -       -"
	"ppc64el powerpc64le-linux-gnu ppc64le  qemu-ppc64le powerpc64le-linux-musl PowerPC64 power8         ppc64le -"
	"riscv64 riscv64-linux-gnu     riscv64  qemu-riscv64 riscv64-linux-musl*    RISC-V    sifive-u54     -       riscv64"
	"s390x   s390x-linux-gnu       s390x    qemu-s390x   s390x-linux-musl       S/390     -              s390x   -")

if(CMAKE_SCRIPT_MODE_FILE)
	set(what "")
	set(from_source "")
	math(EXPR last "${CMAKE_ARGC} - 1")
	if(CMAKE_ARGV${last} MATCHES "^(packages|foreign)$")
		set(what ${CMAKE_MATCH_1})
	endif()
	execute_process(COMMAND dpkg --print-architecture
		OUTPUT_VARIABLE host OUTPUT_STRIP_TRAILING_WHITESPACE)
	set(out "")
	foreach(line IN LISTS fitbytes_targets)
		separate_arguments(f UNIX_COMMAND "${line}")
		list(GET f 0 arch)
		list(GET f 1 gnu)
		list(GET f 3 qemu)
		list(GET f 4 musl)
		if(what STREQUAL "")
			list(JOIN f " " row)
			string(APPEND out "${row}\n")
			continue()
		endif()
		set(add "")
		if(NOT arch STREQUAL host)
			set(add ${arch})
			string(REPLACE "_" "-" gnu ${gnu})
			if(what STREQUAL packages)
				string(APPEND out "g++-${gnu}\n")
			endif()
			# The host may run the programs of a row whose emulator
			# is a fallback: then they need that C library.
			if(qemu MATCHES "[?]$" AND what STREQUAL packages)
				string(APPEND out "libc6:${arch}\n")
			endif()
		endif()
		if(musl MATCHES "[*]$")
			# Built from source; its build runs debhelper.
			set(from_source debhelper)
		elseif(NOT musl STREQUAL "-")
			if(what STREQUAL packages)
				string(APPEND out "musl-dev:${arch}\n")
			endif()
		endif()
		if(what STREQUAL "foreign" AND add)
			string(APPEND out "${add}\n")
		endif()
	endforeach()
	if(what STREQUAL packages)
		# The native build's builtins need the host's bash headers.
		string(APPEND out "bash-builtins\nqemu-user\nqemu-user-static\n")
		if(from_source)
			string(APPEND out "${from_source}\n")
		endif()
	endif()
	execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "${out}")
	return()
endif()

# CMake reads this file again for every check it compiles; this carries the
# choice there.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FITBYTES_TARGET)
if(FITBYTES_TARGET MATCHES "^musl-(.*)$")
	set(FITBYTES_ARCH ${CMAKE_MATCH_1})
	set(FITBYTES_LIBC musl)
else()
	set(FITBYTES_ARCH "${FITBYTES_TARGET}")
	set(FITBYTES_LIBC glibc)
endif()

set(row "")
set(arches "")
foreach(line IN LISTS fitbytes_targets)
	separate_arguments(fields UNIX_COMMAND "${line}")
	list(GET fields 0 arch)
	list(APPEND arches ${arch})
	if(arch STREQUAL "${FITBYTES_ARCH}")
		set(row ${fields})
	endif()
endforeach()
if(NOT row)
	list(JOIN arches " " arches)
	message(FATAL_ERROR "FITBYTES_TARGET is \"${FITBYTES_TARGET}\"; it should be one of ${arches}, or musl- and one of them")
endif()
list(GET row 1 gnu_triplet)
list(GET row 2 processor)
list(GET row 3 qemu)
list(GET row 4 musl_triplet)
list(GET row 5 FITBYTES_MACHINE)
list(GET row 7 FITBYTES_RPM_ARCH)
list(GET row 8 FITBYTES_ARCH_PKG)

# The host may run some targets' programs itself (an x86-64 kernel those of
# 32-bit x86, unless its 32-bit support is missing or switched off): run a
# static program that only exits, made with the target's compiler, to see.
get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
# The target's own bash, which the tests load the builtins into, always runs
# under the emulator: it needs libraries of its machine that only its folder
# holds.
string(REGEX REPLACE "[?]$" "" FITBYTES_QEMU ${qemu})
if(qemu MATCHES "^(.*)[?]$")
	set(fallback ${CMAKE_MATCH_1})
	set(qemu -)
	if(NOT in_try_compile)
		set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/fitbytes-exit-probe)
		file(WRITE ${probe}.c "int main(void) { return 0; }\n")
		execute_process(COMMAND ${gnu_triplet}-gcc -static -o ${probe} ${probe}.c
			RESULT_VARIABLE built)
		execute_process(COMMAND ${probe} RESULT_VARIABLE ran OUTPUT_QUIET ERROR_QUIET)
		if(NOT built EQUAL 0 OR NOT ran EQUAL 0)
			set(qemu ${fallback})
			message(STATUS "This host cannot run ${FITBYTES_ARCH} programs: tests run under ${qemu}")
		endif()
	endif()
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
set(CMAKE_CXX_COMPILER ${gnu_triplet}-g++)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(FITBYTES_LIBC STREQUAL glibc)
	set(CMAKE_FIND_ROOT_PATH /usr/${gnu_triplet})
	if(NOT qemu STREQUAL "-")
		set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu} -L /usr/${gnu_triplet})
	endif()
	return()
endif()
if(musl_triplet STREQUAL "-")
	message(FATAL_ERROR "no musl build for ${FITBYTES_ARCH}")
endif()

# musl: its headers and gcc's own (stddef.h's kin, intrinsics) alone, and a
# static-PIE link of musl's start files, C library and libgcc, which need
# each other on some targets and so go in as a group. GCC for 32-bit ARM
# takes -static-pie yet still names a dynamic loader, hence the explicit
# linker options.
#
# musl comes from Debian's musl-dev of the architecture, in the system, or
# else from the same package that cmake/musl-from-source makes from Debian's
# musl source into FITBYTES_MUSL_ROOT (by default the build tree's musl/).
string(REGEX REPLACE "[*]$" "" musl_triplet ${musl_triplet})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FITBYTES_MUSL_ROOT)
if(NOT DEFINED FITBYTES_MUSL_ROOT)
	set(FITBYTES_MUSL_ROOT "")
	if(NOT EXISTS /usr/lib/${musl_triplet}/libc.a)
		set(FITBYTES_MUSL_ROOT ${CMAKE_BINARY_DIR}/musl)
	endif()
endif()
set(musl_lib ${FITBYTES_MUSL_ROOT}/usr/lib/${musl_triplet})
if(NOT EXISTS ${musl_lib}/libc.a OR NOT EXISTS ${musl_lib}/rcrt1.o)
	if(FITBYTES_MUSL_ROOT STREQUAL "")
		message(FATAL_ERROR "${musl_lib}/rcrt1.o is missing: install musl-dev:${FITBYTES_ARCH}")
	endif()
	message(FATAL_ERROR "neither musl-dev:${FITBYTES_ARCH} nor ${FITBYTES_MUSL_ROOT} holds musl's libc.a and rcrt1.o: install the one, or make the other from Debian's musl source with\n"
		"  cmake/musl-from-source ${FITBYTES_ARCH} ${FITBYTES_MUSL_ROOT}")
endif()
set(FITBYTES_MUSL_TRIPLET ${musl_triplet})
# musl's licence asks that its notice travel with every copy of it.
set(FITBYTES_MUSL_COPYRIGHT ${FITBYTES_MUSL_ROOT}/usr/share/doc/musl-dev/copyright)
if(NOT qemu STREQUAL "-")
	set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu})
endif()

foreach(what include crtbeginS.o crtendS.o libgcc.a)
	execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${what}
		OUTPUT_VARIABLE gcc_${what} OUTPUT_STRIP_TRAILING_WHITESPACE
		COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(CMAKE_CXX_FLAGS_INIT "-nostdinc -isystem ${FITBYTES_MUSL_ROOT}/usr/include/${musl_triplet} -isystem ${gcc_include}")
set(CMAKE_CXX_LINK_EXECUTABLE
	"<CMAKE_CXX_COMPILER> <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> -nostdlib -static-pie -Wl,-static,-pie,--no-dynamic-linker,-z,text ${musl_lib}/rcrt1.o ${musl_lib}/crti.o ${gcc_crtbeginS.o} <OBJECTS> -o <TARGET> <LINK_LIBRARIES> -Wl,--start-group ${musl_lib}/libc.a ${gcc_libgcc.a} -Wl,--end-group ${gcc_crtendS.o} ${musl_lib}/crtn.o")
