# Both programs as bash loadable builtins too, where bash's headers for them
# are found: DIR/lib/bash/midclip and DIR/lib/bash/padfront, installed in
# lib/bash under the prefix, where bash's enable looks (BASH_LOADABLES_PATH).
#
# The headers come from Debian's bash-builtins package: the system's for a
# native build, or for another architecture the one unpacked into
# FITBYTES_BASH_ROOT (by default the build tree's bash/) by
#   cmake/bash-for-arch ARCH DIR
# since the package is not multi-arch and its config.h differs by machine.
# A static build makes none: a builtin lives inside the user's own bash and
# must match its C library.
set(FITBYTES_BUILTINS OFF)
if(FITBYTES_MUSL_TRIPLET)
	return()
endif()
if(FITBYTES_SANITIZE)
	message(STATUS "No bash builtins: bash cannot load sanitized code")
	return()
endif()
if(NOT DEFINED FITBYTES_BASH_ROOT)
	set(FITBYTES_BASH_ROOT "")
	if(CMAKE_CROSSCOMPILING)
		set(FITBYTES_BASH_ROOT ${CMAKE_BINARY_DIR}/bash)
	endif()
endif()
set(bash_include ${FITBYTES_BASH_ROOT}/usr/include/bash)
set(bash_loadables ${FITBYTES_BASH_ROOT}/usr/lib/bash)
if(NOT EXISTS ${bash_include}/builtins.h OR NOT EXISTS ${bash_loadables}/loadables.h)
	if(FITBYTES_BASH_ROOT STREQUAL "")
		message(STATUS "No bash builtins: bash's headers for them are missing (apt-get install bash-builtins)")
	else()
		message(STATUS "No bash builtins: ${FITBYTES_BASH_ROOT} holds no bash headers; make them with\n"
			"  cmake/bash-for-arch ${FITBYTES_ARCH} ${FITBYTES_BASH_ROOT}")
	endif()
	return()
endif()
set(FITBYTES_BUILTINS ON)

# What every piece of a builtin is compiled with: position-independent,
# nothing visible to the shell but the builtin itself (so that no name of
# ours meets one of bash's), and bash's headers as system headers, which
# are not this project's to warn about.
add_library(fitbytes_builtin_options INTERFACE)
target_compile_definitions(fitbytes_builtin_options INTERFACE HAVE_CONFIG_H SHELL)
target_include_directories(fitbytes_builtin_options SYSTEM INTERFACE
	${bash_include} ${bash_include}/builtins ${bash_include}/include ${bash_loadables})
target_link_libraries(fitbytes_builtin_options INTERFACE fitbytes_options fitbytes_libc_only)

# The portable builtins link these files alone, in place of the C library's
# linker script, which would add the dynamic loader (cmake/tool.cmake).
set(FITBYTES_LIBC_FILES "")
foreach(what libc.so.6 libc_nonshared.a libgcc.a)
	execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${what}
		OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
	if(NOT IS_ABSOLUTE "${file}" OR NOT EXISTS "${file}")
		message(FATAL_ERROR "${CMAKE_CXX_COMPILER} finds no ${what}")
	endif()
	get_filename_component(file ${file} REALPATH)
	list(APPEND FITBYTES_LIBC_FILES ${file})
endforeach()
