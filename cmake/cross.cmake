# Toolchain for a Linux target named by its Debian architecture, with
# Debian's cross compilers:
#
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/cross.cmake -DFITBYTES_ARCH=arm64 \
#         [-DFITBYTES_LIBC=musl] ...
#
# With the default FITBYTES_LIBC=glibc the programs link the target's own C
# library, under /usr/TRIPLET. With musl they are static-PIE programs linked
# with Debian's musl-dev of that architecture, which run on any Linux kernel
# of the machine with nothing else installed. Targets other than x86 run
# their tests under qemu-user; no binfmt handlers are needed.

# Debian arch, GNU triplet of the compiler, CMAKE_SYSTEM_PROCESSOR, qemu-user
# emulator (- for none: the host runs it; ending in ? for one that is used
# only where the host cannot run the programs), musl triplet (- for none).
set(fitbytes_targets
	"amd64   x86_64-linux-gnu      x86_64   -            x86_64-linux-musl"
	"i386    i686-linux-gnu        i686     qemu-i386?   i386-linux-musl"
	"arm64   aarch64-linux-gnu     aarch64  qemu-aarch64 aarch64-linux-musl"
	"armhf   arm-linux-gnueabihf   armv7l   qemu-arm     arm-linux-musleabihf"
	"armel   arm-linux-gnueabi     armv5tel qemu-arm     -"
	"ppc64el powerpc64le-linux-gnu ppc64le  qemu-ppc64le -"
	"riscv64 riscv64-linux-gnu     riscv64  qemu-riscv64 -"
	"s390x   s390x-linux-gnu       s390x    qemu-s390x   -")

# CMake reads this file again for every check it compiles; these carry the
# choice there.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FITBYTES_ARCH FITBYTES_LIBC)
if(NOT FITBYTES_LIBC)
	set(FITBYTES_LIBC glibc)
endif()

set(row "")
foreach(line IN LISTS fitbytes_targets)
	separate_arguments(fields UNIX_COMMAND "${line}")
	list(GET fields 0 arch)
	if(arch STREQUAL "${FITBYTES_ARCH}")
		set(row ${fields})
	endif()
endforeach()
if(NOT row)
	message(FATAL_ERROR "FITBYTES_ARCH is \"${FITBYTES_ARCH}\"; it should be one of: amd64 i386 arm64 armhf armel ppc64el riscv64 s390x")
endif()
list(GET row 1 gnu_triplet)
list(GET row 2 processor)
list(GET row 3 qemu)
list(GET row 4 musl_triplet)

# An x86-64 kernel may lack 32-bit support (or have it switched off): run a
# program that only exits, made with the target's compiler, to see.
get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(qemu MATCHES "^(.*)[?]$")
	set(fallback ${CMAKE_MATCH_1})
	set(qemu -)
	if(NOT in_try_compile)
		set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/fitbytes-exit-probe)
		file(WRITE ${probe}.c "void _start(void) { __asm__ volatile (\"movl $1, %eax\\n\\txorl %ebx, %ebx\\n\\tint $0x80\"); }\n")
		execute_process(COMMAND ${gnu_triplet}-gcc -nostdlib -static -fno-pie -no-pie -o ${probe} ${probe}.c
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
if(NOT FITBYTES_LIBC STREQUAL musl)
	message(FATAL_ERROR "FITBYTES_LIBC is \"${FITBYTES_LIBC}\"; it should be glibc or musl")
endif()
if(musl_triplet STREQUAL "-")
	message(FATAL_ERROR "no musl build for ${FITBYTES_ARCH}")
endif()

# musl: its headers and gcc's own (stddef.h's kin, intrinsics) alone, and a
# static-PIE link of musl's start files, C library and libgcc, which need
# each other on some targets and so go in as a group. GCC for 32-bit ARM
# takes -static-pie yet still names a dynamic loader, hence the explicit
# linker options.
set(musl_lib /usr/lib/${musl_triplet})
if(NOT EXISTS ${musl_lib}/libc.a OR NOT EXISTS ${musl_lib}/rcrt1.o)
	message(FATAL_ERROR "${musl_lib}/libc.a or rcrt1.o is missing: install musl-dev:${FITBYTES_ARCH}")
endif()
set(FITBYTES_MUSL_TRIPLET ${musl_triplet})
if(NOT qemu STREQUAL "-")
	set(CMAKE_CROSSCOMPILING_EMULATOR ${qemu})
endif()

foreach(what include crtbeginS.o crtendS.o libgcc.a)
	execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${what}
		OUTPUT_VARIABLE gcc_${what} OUTPUT_STRIP_TRAILING_WHITESPACE
		COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(CMAKE_CXX_FLAGS_INIT "-nostdinc -isystem /usr/include/${musl_triplet} -isystem ${gcc_include}")
set(CMAKE_CXX_LINK_EXECUTABLE
	"<CMAKE_CXX_COMPILER> <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> -nostdlib -static-pie -Wl,-static,-pie,--no-dynamic-linker,-z,text ${musl_lib}/rcrt1.o ${musl_lib}/crti.o ${gcc_crtbeginS.o} <OBJECTS> -o <TARGET> <LINK_LIBRARIES> -Wl,--start-group ${musl_lib}/libc.a ${gcc_libgcc.a} -Wl,--end-group ${gcc_crtendS.o} ${musl_lib}/crtn.o")
