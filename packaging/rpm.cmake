# The RPMs of a static build (target rpm): fitbytes, the static programs,
# for RPM systems of any age: nothing but the files, no dependency beyond
# those rpm adds itself; and fitbytes-bash, the bash builtins in
# /usr/lib/bash, which need the C library that rpm's dependency generator
# finds. Time stamps come from SOURCE_DATE_EPOCH or else the release date,
# so that the same sources give the same bytes in any folder.
#
# Read twice: by the build, to set CPack up, and by cpack, as its project
# config file, to fix the time stamps before rpmbuild runs.
if(CPACK_FITBYTES_DATE)
	set(DATE ${CPACK_FITBYTES_DATE})
	include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
	set(ENV{SOURCE_DATE_EPOCH} ${epoch})
	return()
endif()

# The summary, capitalised as RPM has it, and the description.
include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
read_description(summary description)
string(SUBSTRING "${summary}" 0 1 first)
string(SUBSTRING "${summary}" 1 -1 rest)
string(TOUPPER "${first}" first)

# The changelog is NEWS, an entry a release, newest first.
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS news)
set(changelog "")
foreach(line IN LISTS news)
	if(line MATCHES "^fitbytes ([^ ]+) \\(([0-9-]+)\\)$")
		execute_process(COMMAND date -u -d ${CMAKE_MATCH_2} "+%a %b %d %Y"
			OUTPUT_VARIABLE day OUTPUT_STRIP_TRAILING_WHITESPACE
			COMMAND_ERROR_IS_FATAL ANY)
		string(APPEND changelog "\n* ${day} ${fitbytes_maintainer} - ${CMAKE_MATCH_1}-1\n")
	elseif(line MATCHES "^  \\* (.*)$")
		string(APPEND changelog "- ${CMAKE_MATCH_1}\n")
	elseif(line MATCHES "^    (.*)$")
		string(APPEND changelog "  ${CMAKE_MATCH_1}\n")
	endif()
endforeach()
string(STRIP "${changelog}" changelog)
file(WRITE ${PROJECT_BINARY_DIR}/rpm-changelog "${changelog}\n")

set(CPACK_GENERATOR RPM)
set(CPACK_PACKAGE_NAME fitbytes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR fitbytes)
set(CPACK_PACKAGE_CONTACT ${fitbytes_maintainer})
# The programs are the main package; the builtins (install component bash)
# are fitbytes-bash. Both named as rpmbuild names them.
set(CPACK_RPM_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified bash)
set(CPACK_RPM_MAIN_COMPONENT Unspecified)
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_BASH_PACKAGE_NAME fitbytes-bash)
set(CPACK_RPM_BASH_PACKAGE_SUMMARY "${first}${rest}, as bash builtins")
set(CPACK_RPM_BASH_PACKAGE_DESCRIPTION "${description}

This package holds both as bash loadable builtins, which print the same
bytes with the same exit status without starting a process:
enable -f /usr/lib/bash/midclip midclip, and likewise padfront.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${FITBYTES_RPM_ARCH})
set(CPACK_RPM_PACKAGE_LICENSE ISC)
set(CPACK_RPM_PACKAGE_SUMMARY "${first}${rest}")
set(CPACK_RPM_PACKAGE_DESCRIPTION "${description}")
set(CPACK_RPM_PACKAGE_PACKAGER ${fitbytes_maintainer})
# rpmlint warns of no-url-tag: the project has no web page of its own; and
# of no-manual-page-for-binary: rpmlint 2.4 takes "1" for a page's name;
# and of no-documentation for fitbytes-bash, which has its licence alone:
# the pages are the programs' package's.
# Static programs need nothing at run time: no automatic requirements. The
# builtins need the C library, as rpm finds.
set(CPACK_RPM_PACKAGE_AUTOREQ no)
set(CPACK_RPM_BASH_PACKAGE_AUTOREQ yes)
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
	/usr/share/man /usr/share/man/man1 /usr/share/licenses)
set(CPACK_RPM_CHANGELOG_FILE ${PROJECT_BINARY_DIR}/rpm-changelog)
set(CPACK_RPM_UNSPECIFIED_USER_FILELIST
	"%license /usr/share/licenses/fitbytes/LICENSE"
	"%license /usr/share/licenses/fitbytes/LICENSE.musl")
set(CPACK_RPM_BASH_USER_FILELIST "%license /usr/share/licenses/fitbytes/LICENSE")
# The programs and pages go in as installed: stripped by CPack with the
# target's own strip, the pages already gzipped as Fedora has them; no
# debug package, no build-id links, and none of the host's rpm post-install
# steps, which would treat another machine's programs with the host's tools.
# An xz payload, which every rpm since 4.4 reads, and a fixed build host.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define debug_package %{nil}
%define _build_id_links none
%define __os_install_post %{nil}
%define _binary_payload w9.xzdio
%define _buildhost fitbytes
%define packager ${fitbytes_maintainer}
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_FILE})
set(CPACK_FITBYTES_DATE ${release_date})
set(CPACK_VERBATIM_VARIABLES ON)
# Under names of their own, so that CMake adds no package and package_source
# targets: the RPM is this build's one CPack artefact.
set(CPACK_OUTPUT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackRPM.cmake)
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CMakeFiles/CPackSourceUnused.cmake)
set(rpm_files
	${PROJECT_BINARY_DIR}/fitbytes-${PROJECT_VERSION}-1.${FITBYTES_RPM_ARCH}.rpm
	${PROJECT_BINARY_DIR}/fitbytes-bash-${PROJECT_VERSION}-1.${FITBYTES_RPM_ARCH}.rpm)
include(CPack)

add_custom_target(rpm
	COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_OUTPUT_CONFIG_FILE}
		-B ${PROJECT_BINARY_DIR}
	COMMENT "Making ${rpm_files}"
	VERBATIM)
add_dependencies(rpm midclip padfront midclip_page padfront_page builtins_check)
