# Settings every target of the project shares, carried by an interface
# target rather than by global flags: the programs, and the test programs
# that are built for the host in a cross or musl build.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

add_library(fitbytes_options INTERFACE)
target_compile_features(fitbytes_options INTERFACE cxx_std_17)
target_compile_options(fitbytes_options INTERFACE
	-Wall -Wextra -Wpedantic
	$<$<BOOL:${FITBYTES_WERROR}>:-Werror>)

if(FITBYTES_SANITIZE)
	target_compile_options(fitbytes_options INTERFACE
		-fsanitize=address,undefined -fno-sanitize-recover=all
		-fno-omit-frame-pointer)
	target_link_options(fitbytes_options INTERFACE
		-fsanitize=address,undefined)
endif()

# Hardening, as distributions build their packages: position-independent
# programs, guarded stacks and control flow, read-only relocations bound at
# start-up, no executable stack. Each flag only where the toolchain takes it.
check_pie_supported(LANGUAGES CXX)
set_property(TARGET fitbytes_options PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)

# Control-flow protection has a flag of each processor's own; a compiler
# refuses the other's, or with -Werror (clang) ignores it with a warning.
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection
    -mbranch-protection=standard)
	string(MAKE_C_IDENTIFIER "FITBYTES_HAS${flag}" var)
	set(CMAKE_REQUIRED_FLAGS -Werror)
	check_cxx_compiler_flag(${flag} ${var})
	unset(CMAKE_REQUIRED_FLAGS)
	if(${var})
		target_compile_options(fitbytes_options INTERFACE ${flag})
	endif()
endforeach()
foreach(flag "LINKER:-z,relro,-z,now" "LINKER:-z,noexecstack")
	string(MAKE_C_IDENTIFIER "FITBYTES_HAS${flag}" var)
	check_linker_flag(CXX "${flag}" ${var})
	if(${var})
		target_link_options(fitbytes_options INTERFACE "${flag}")
	endif()
endforeach()

# _FORTIFY_SOURCE needs optimisation, means nothing under the sanitizers, and
# is left alone when the caller's flags already choose a level. Level 3 needs
# a recent compiler and C library, and some C libraries (musl) have none at
# all; the check sees what the headers make of it.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
if(NOT FITBYTES_SANITIZE AND
    NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}" MATCHES "_FORTIFY_SOURCE")
	foreach(level 3 2)
		set(CMAKE_REQUIRED_FLAGS "-O2 -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=${level}")
		set(CMAKE_REQUIRED_QUIET ON)
		check_cxx_source_compiles("
			#include <stdio.h>
			#if !defined(__USE_FORTIFY_LEVEL) || __USE_FORTIFY_LEVEL < ${level}
			#error level ${level} unavailable
			#endif
			int main() { return 0; }" FITBYTES_HAS_FORTIFY_${level})
		unset(CMAKE_REQUIRED_FLAGS)
		unset(CMAKE_REQUIRED_QUIET)
		if(FITBYTES_HAS_FORTIFY_${level})
			# A target whose FITBYTES_UNFORTIFIED property is set opts
			# out: code that must load where no fortified functions
			# exist (musl).
			target_compile_options(fitbytes_options INTERFACE
				"$<$<AND:$<CONFIG:Release,RelWithDebInfo,MinSizeRel>,$<NOT:$<BOOL:$<TARGET_PROPERTY:FITBYTES_UNFORTIFIED>>>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=${level}>")
			break()
		endif()
	endforeach()
endif()

# Reproducible from any folder: debug information and any recorded file
# name refer to the source and build trees by relative paths.
check_cxx_compiler_flag(-ffile-prefix-map=a=b FITBYTES_HAS_FILE_PREFIX_MAP)
if(FITBYTES_HAS_FILE_PREFIX_MAP)
	target_compile_options(fitbytes_options INTERFACE
		-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
		-ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()

# The programs and what they share need the C library alone, so that they
# build against any of them (glibc, musl): C and POSIX headers only, no C++
# library headers, no exceptions, no run-time type information.
add_library(fitbytes_libc_only INTERFACE)
target_compile_options(fitbytes_libc_only INTERFACE -nostdinc++ -fno-exceptions -fno-rtti)
