# What the scripts that make release artefacts share: run(), a command that
# must succeed, and epoch, the time stamp of every file they make, from
# SOURCE_DATE_EPOCH or else the date of the release (DATE, YYYY-MM-DD), so
# that the same sources give the same bytes in any folder at any time.
function(run)
	execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
	execute_process(COMMAND date -u -d "${DATE}" +%s
		OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
		COMMAND_ERROR_IS_FATAL ANY)
endif()
