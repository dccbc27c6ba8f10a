# Read by cpack for each package it makes. For the source tarball, leave out
# the build tree and every file that git does not track, ignored or not, as
# it stands now.
if(NOT CPACK_INSTALLED_DIRECTORIES)
	return()
endif()

# Ignore PATH and everything under it.
function(ignore_path path)
	string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" path "${path}")
	list(APPEND CPACK_IGNORE_FILES "^${path}")
	set(CPACK_IGNORE_FILES "${CPACK_IGNORE_FILES}" PARENT_SCOPE)
endfunction()

ignore_path(${CPACK_FITBYTES_BINARY_DIR}/)
if(CPACK_FITBYTES_GIT AND EXISTS ${CPACK_FITBYTES_SOURCE_DIR}/.git)
	execute_process(COMMAND ${CPACK_FITBYTES_GIT} -c core.quotePath=off
			ls-files --others --directory
		WORKING_DIRECTORY ${CPACK_FITBYTES_SOURCE_DIR}
		OUTPUT_VARIABLE untracked COMMAND_ERROR_IS_FATAL ANY)
	string(REPLACE "\n" ";" untracked "${untracked}")
	foreach(path IN LISTS untracked)
		if(path)
			ignore_path(${CPACK_FITBYTES_SOURCE_DIR}/${path})
		endif()
	endforeach()
endif()
