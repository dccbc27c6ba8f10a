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

# fitbytes_builtin(NAME): the program NAME compiled again as a bash loadable
# builtin, its main under another name, with the manual page's one-line
# summary as its help, in two forms:
# - DIR/lib/bash/NAME, fortified, for this C library's own bash: installed in
#   lib/bash, not the multiarch library folder, since that is where bash
#   looks; the Debian package ships it.
# - DIR/portable/NAME, for the bash of any Linux, glibc's (2.28 or later) or
#   musl's: the tarballs and the RPM and Arch packages ship it. musl has no
#   fortified functions and takes a need of libc.so.6 for itself but of no
#   other library, so it is unfortified and linked with the C library's file
#   alone, not with the dynamic loader that the link adds on machines whose
#   stack guard lives there: the guard is found when bash loads it, in
#   glibc's loader or in musl. Stripped as it ships, so that every package
#   carries the same bytes.
# A shared object that nothing executes is not executable.
function(fitbytes_builtin name)
	file(STRINGS ${name}.1 nd REGEX "^\\.Nd ")
	string(REGEX REPLACE "^\\.Nd (.)(.*)$" "\\1" first "${nd}")
	string(REGEX REPLACE "^\\.Nd (.)(.*)$" "\\2" rest "${nd}")
	string(TOUPPER "${first}" first)

	foreach(kind builtin portable)
		set(t ${name}_${kind})
		add_library(${t} MODULE ${name}.cpp ${PROJECT_SOURCE_DIR}/common/builtin.cpp)
		target_link_libraries(${t} PRIVATE fitbytes_${kind}_common)
		target_compile_definitions(${t} PRIVATE
			main=tool_main BUILTIN_NAME="${name}" BUILTIN_STRUCT=${name}_struct
			BUILTIN_SUMMARY="${first}${rest}.")
		target_link_options(${t} PRIVATE -Wl,--as-needed)
		set_target_properties(${t} PROPERTIES
			OUTPUT_NAME ${name} PREFIX "" SUFFIX ""
			CXX_VISIBILITY_PRESET hidden)
	endforeach()

	set_target_properties(${name}_builtin PROPERTIES
		LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/lib/bash)
	install(TARGETS ${name}_builtin LIBRARY DESTINATION lib/bash
		PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

	set_target_properties(${name}_portable PROPERTIES
		LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/portable
		FITBYTES_UNFORTIFIED ON)
	target_link_options(${name}_portable PRIVATE -nodefaultlibs)
	target_link_libraries(${name}_portable PRIVATE ${FITBYTES_LIBC_FILES})
	add_custom_command(TARGET ${name}_portable POST_BUILD
		COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
			$<TARGET_FILE:${name}_portable>
		VERBATIM)
endfunction()
