# Settings every target of the project shares, carried by an interface
# target rather than by global flags.
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

set(hardening_flags -fstack-protector-strong -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86)$")
	list(APPEND hardening_flags -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
	list(APPEND hardening_flags -mbranch-protection=standard)
endif()
foreach(flag IN LISTS hardening_flags)
	string(MAKE_C_IDENTIFIER "FITBYTES_HAS${flag}" var)
	check_cxx_compiler_flag(${flag} ${var})
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
			target_compile_options(fitbytes_options INTERFACE
				"$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=${level}>")
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

find_program(GZIP_EXECUTABLE gzip REQUIRED)

# fitbytes_tool(NAME): one program of NAME/NAME.cpp with its manual page
# NAME/NAME.1, linked with nothing it does not use, since every shared
# library adds to the cost of starting it.
function(fitbytes_tool name)
	add_executable(${name} ${name}.cpp)
	target_link_libraries(${name} PRIVATE fitbytes_common fitbytes_options fitbytes_libc_only)
	target_link_options(${name} PRIVATE -Wl,--as-needed)
	set_target_properties(${name} PROPERTIES
		RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
	install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

	# The page names the release it belongs to; keep that in step.
	set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
		${CMAKE_CURRENT_SOURCE_DIR}/${name}.1)
	file(STRINGS ${name}.1 os REGEX "^\\.Os ")
	if(NOT os STREQUAL ".Os fitbytes ${PROJECT_VERSION}")
		message(FATAL_ERROR "${name}/${name}.1: \"${os}\" should be \".Os fitbytes ${PROJECT_VERSION}\"")
	endif()
	# Installed compressed, without a name or time stamp in the header, so
	# that the same page always gives the same bytes.
	set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1.gz)
	add_custom_command(OUTPUT ${page}
		COMMAND ${GZIP_EXECUTABLE} -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${name}.1 > ${page}
		DEPENDS ${name}.1 VERBATIM)
	add_custom_target(${name}_page ALL DEPENDS ${page})
	install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
