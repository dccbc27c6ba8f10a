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
