# Settings every target of the project shares, carried by an interface
# target rather than by global flags.
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

# fitbytes_tool(NAME): one program of NAME/NAME.cpp with its manual page
# NAME/NAME.1. The programs need the C library alone: no exceptions, no
# run-time type information, and nothing linked that they do not use, since
# every shared library adds to the cost of starting them.
function(fitbytes_tool name)
	add_executable(${name} ${name}.cpp)
	target_link_libraries(${name} PRIVATE fitbytes_common fitbytes_options)
	target_compile_options(${name} PRIVATE -fno-exceptions -fno-rtti)
	target_link_options(${name} PRIVATE -Wl,--as-needed)
	set_target_properties(${name} PROPERTIES
		RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
	install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
	install(FILES ${name}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
