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

	if(FITBYTES_BUILTINS)
		fitbytes_builtin(${name})
	endif()
endfunction()

# fitbytes_builtin(NAME): the program NAME compiled again as the bash
# loadable builtin DIR/lib/bash/NAME, its main under another name, with the
# manual page's one-line summary as its help. Installed in lib/bash, not the
# multiarch library folder: that is where bash looks. A shared object that
# nothing executes is not executable.
function(fitbytes_builtin name)
	file(STRINGS ${name}.1 nd REGEX "^\\.Nd ")
	string(REGEX REPLACE "^\\.Nd (.)(.*)$" "\\1" first "${nd}")
	string(REGEX REPLACE "^\\.Nd (.)(.*)$" "\\2" rest "${nd}")
	string(TOUPPER "${first}" first)

	add_library(${name}_builtin MODULE ${name}.cpp ${PROJECT_SOURCE_DIR}/common/builtin.cpp)
	target_link_libraries(${name}_builtin PRIVATE fitbytes_builtin_common)
	target_compile_definitions(${name}_builtin PRIVATE
		main=tool_main BUILTIN_NAME="${name}" BUILTIN_STRUCT=${name}_struct
		BUILTIN_SUMMARY="${first}${rest}.")
	target_link_options(${name}_builtin PRIVATE -Wl,--as-needed)
	set_target_properties(${name}_builtin PROPERTIES
		OUTPUT_NAME ${name} PREFIX "" SUFFIX ""
		CXX_VISIBILITY_PRESET hidden
		LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib/bash)
	install(TARGETS ${name}_builtin LIBRARY DESTINATION lib/bash
		PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()
