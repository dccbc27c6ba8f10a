# Read by cpack for each package it makes. For the source tarball, leave out
# every file that git does not track, ignored or not, as it stands now.
if(CPACK_INSTALLED_DIRECTORIES AND CPACK_FITBYTES_GIT AND
    EXISTS ${CPACK_FITBYTES_SOURCE_DIR}/.git)
	execute_process(COMMAND ${CPACK_FITBYTES_GIT} -c core.quotePath=off
			ls-files --others --directory
		WORKING_DIRECTORY ${CPACK_FITBYTES_SOURCE_DIR}
		OUTPUT_VARIABLE untracked COMMAND_ERROR_IS_FATAL ANY)
	string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" top "${CPACK_FITBYTES_SOURCE_DIR}")
	string(REPLACE "\n" ";" untracked "${untracked}")
	foreach(path IN LISTS untracked)
		if(path)
			string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" path "${path}")
			list(APPEND CPACK_IGNORE_FILES "^${top}/${path}")
		endif()
	endforeach()
endif()
