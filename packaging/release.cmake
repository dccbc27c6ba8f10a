# What the scripts that make release artefacts share: run(), a command that
# must succeed; strip_static(), the static programs as they ship;
# read_description(), the packages' summary and description;
# and, where DATE is set, epoch, the time stamp of every file they make, from
# SOURCE_DATE_EPOCH or else the date of the release (DATE, YYYY-MM-DD), so
# that the same sources give the same bytes in any folder at any time.
function(run)
	execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# strip_static(DIR): the static programs in DIR stripped with STRIP, of the
# debug information that even musl's start files bring, the same way in
# every package that carries them.
function(strip_static dir)
	file(GLOB programs ${dir}/*)
	foreach(p IN LISTS programs)
		run(${STRIP} --strip-all --remove-section=.comment --remove-section=.note ${p})
	endforeach()
endfunction()

# packaging/description: the summary on its first line, then the text.
function(read_description summary_var text_var)
	file(READ ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/description text)
	string(FIND "${text}" "\n" eol)
	string(SUBSTRING "${text}" 0 ${eol} summary)
	math(EXPR eol "${eol} + 1")
	string(SUBSTRING "${text}" ${eol} -1 text)
	string(STRIP "${text}" text)
	set(${summary_var} "${summary}" PARENT_SCOPE)
	set(${text_var} "${text}" PARENT_SCOPE)
endfunction()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "" AND DEFINED DATE)
	execute_process(COMMAND date -u -d "${DATE}" +%s
		OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
		COMMAND_ERROR_IS_FATAL ANY)
endif()
