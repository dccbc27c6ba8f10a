# Release artefacts of a build: a Debian package of both programs (target
# deb), or for a static musl build a tarball of them to unpack anywhere
# (target tarball) and, where the machine has one, an RPM (target rpm); and
# the source tarball (target source). Target dist gathers in DIR/dist/ what
# this build ships: a Release build with g++ ships its artefacts, and the
# native one the source tarball too; other builds ship nothing.

# The release NEWS names first must be the one being built; its date is the
# packages'.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
	${PROJECT_SOURCE_DIR}/NEWS ${CMAKE_CURRENT_LIST_DIR}/description)
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS news_head LIMIT_COUNT 1)
if(NOT news_head MATCHES "^fitbytes ${PROJECT_VERSION} \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
	message(FATAL_ERROR "NEWS: \"${news_head}\" should be \"fitbytes ${PROJECT_VERSION} (YYYY-MM-DD)\"")
endif()
set(release_date ${CMAKE_MATCH_1})

# The README names the release's files; they must be this release's.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
file(STRINGS ${PROJECT_SOURCE_DIR}/README.md named REGEX "fitbytes[-_][0-9]")
foreach(line IN LISTS named)
	string(REGEX MATCHALL "fitbytes[-_][0-9][0-9.]*[0-9]" versions "${line}")
	foreach(v IN LISTS versions)
		if(NOT v MATCHES "^fitbytes[-_]${PROJECT_VERSION}$")
			message(FATAL_ERROR "README.md: \"${v}\" should name release ${PROJECT_VERSION}")
		endif()
	endforeach()
endforeach()

set(fitbytes_maintainer "fitbytes maintainers <maintainers@users.noreply.c-seed-60357dd0.example>")

find_program(DPKG dpkg)
find_program(DPKG_DEB dpkg-deb)
find_program(TAR_EXECUTABLE tar)
find_program(RPMBUILD rpmbuild)
find_program(MAKEPKG makepkg)
find_package(Git QUIET)

# The Debian architecture: the target's, or the host's for a native build.
if(NOT FITBYTES_ARCH AND DPKG)
	execute_process(COMMAND ${DPKG} --print-architecture
		OUTPUT_VARIABLE FITBYTES_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()

set(artefacts "")
set(depends "")
if(FITBYTES_MUSL_TRIPLET AND TAR_EXECUTABLE)
	# The programs carry musl, whose notice travels with them.
	install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
		DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/fitbytes)
	install(FILES ${FITBYTES_MUSL_COPYRIGHT} RENAME LICENSE.musl
		DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/fitbytes)

	# The bash builtins for any Linux, beside the static programs: the glibc
	# build of this architecture makes them (its portable/ folder), and must
	# be built first; each preset names its own.
	set(FITBYTES_BUILTINS_FROM "" CACHE PATH
		"The glibc build of this architecture, whose portable bash builtins the tarball and packages carry")
	set(builtins_from ${FITBYTES_BUILTINS_FROM}/portable)
	if(FITBYTES_BUILTINS_FROM)
		install(FILES ${builtins_from}/midclip ${builtins_from}/padfront
			DESTINATION lib/bash COMPONENT bash OPTIONAL
			PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
		# A package of the builtins alone carries the licence too.
		install(FILES ${PROJECT_SOURCE_DIR}/LICENSE COMPONENT bash
			DESTINATION ${CMAKE_INSTALL_DATADIR}/licenses/fitbytes)
	endif()
	file(WRITE ${PROJECT_BINARY_DIR}/CMakeFiles/builtins-check.cmake "
foreach(tool midclip padfront)
	if(NOT EXISTS \"${builtins_from}/\${tool}\")
		message(FATAL_ERROR \"The tarball and packages carry the portable bash builtins of a glibc build of ${FITBYTES_ARCH}, and FITBYTES_BUILTINS_FROM (\\\"${FITBYTES_BUILTINS_FROM}\\\") names none that has \${tool} in its portable/ folder: build one first (the ${FITBYTES_ARCH} preset), and name it with -DFITBYTES_BUILTINS_FROM=DIR\")
	endif()
endforeach()
")
	add_custom_target(builtins_check
		COMMAND ${CMAKE_COMMAND} -P ${PROJECT_BINARY_DIR}/CMakeFiles/builtins-check.cmake
		VERBATIM)

	set(tarball fitbytes-${PROJECT_VERSION}-${FITBYTES_MUSL_TRIPLET})
	add_custom_target(tarball
		COMMAND ${CMAKE_COMMAND}
			-DSRC=${PROJECT_SOURCE_DIR} -DBIN=${PROJECT_BINARY_DIR}
			-DNAME=${tarball} -DDATE=${release_date}
			-DSTRIP=${CMAKE_STRIP} -DGZIP=${GZIP_EXECUTABLE} -DTAR=${TAR_EXECUTABLE}
			-P ${CMAKE_CURRENT_LIST_DIR}/tarball.cmake
		COMMENT "Making ${PROJECT_BINARY_DIR}/${tarball}.tar.gz"
		VERBATIM)
	add_dependencies(tarball midclip padfront midclip_page padfront_page builtins_check)
	list(APPEND artefacts ${PROJECT_BINARY_DIR}/${tarball}.tar.gz)
	list(APPEND depends tarball)

	if(RPMBUILD AND NOT FITBYTES_RPM_ARCH STREQUAL "-")
		include(${CMAKE_CURRENT_LIST_DIR}/rpm.cmake)
		list(APPEND artefacts ${rpm_files})
		list(APPEND depends rpm)
	endif()
	if(MAKEPKG AND NOT FITBYTES_ARCH_PKG STREQUAL "-")
		set(archpkg ${PROJECT_BINARY_DIR}/fitbytes-${PROJECT_VERSION}-1-${FITBYTES_ARCH_PKG}.pkg.tar.zst)
		add_custom_target(archpkg
			COMMAND ${CMAKE_COMMAND}
				-DSRC=${PROJECT_SOURCE_DIR} -DBIN=${PROJECT_BINARY_DIR}
				-DVERSION=${PROJECT_VERSION} -DDATE=${release_date}
				-DARCH=${FITBYTES_ARCH_PKG} -DCHOST=${FITBYTES_MUSL_TRIPLET}
				-DMAINTAINER=${fitbytes_maintainer}
				-DSTRIP=${CMAKE_STRIP} -DMAKEPKG=${MAKEPKG} -DOUT=${archpkg}
				-P ${CMAKE_CURRENT_LIST_DIR}/arch.cmake
			COMMENT "Making ${archpkg}"
			VERBATIM)
		add_dependencies(archpkg midclip padfront midclip_page padfront_page builtins_check)
		list(APPEND artefacts ${archpkg})
		list(APPEND depends archpkg)
	endif()
elseif(DPKG_DEB AND FITBYTES_ARCH)
	set(deb ${PROJECT_BINARY_DIR}/fitbytes_${PROJECT_VERSION}_${FITBYTES_ARCH}.deb)
	add_custom_target(deb
		COMMAND ${CMAKE_COMMAND}
			-DSRC=${PROJECT_SOURCE_DIR} -DBIN=${PROJECT_BINARY_DIR}
			-DVERSION=${PROJECT_VERSION} -DDATE=${release_date}
			-DARCH=${FITBYTES_ARCH} -DMAINTAINER=${fitbytes_maintainer}
			-DSTRIP=${CMAKE_STRIP} -DREADELF=${CMAKE_READELF}
			-DGZIP=${GZIP_EXECUTABLE} -DDPKG_DEB=${DPKG_DEB} -DOUT=${deb}
			-P ${CMAKE_CURRENT_LIST_DIR}/deb.cmake
		COMMENT "Making ${deb}"
		VERBATIM)
	add_dependencies(deb midclip padfront midclip_page padfront_page)
	# Every Debian package ships the builtins: a build without them packs
	# none.
	if(FITBYTES_BUILTINS)
		add_dependencies(deb midclip_builtin padfront_builtin)
	else()
		set(how "apt-get install bash-builtins")
		if(FITBYTES_BASH_ROOT)
			set(how "cmake/bash-for-arch ${FITBYTES_ARCH} ${FITBYTES_BASH_ROOT}")
		endif()
		add_custom_target(deb_refused
			COMMAND ${CMAKE_COMMAND} -E echo "A Debian package ships the bash builtins, which this build cannot make without bash's headers: ${how}, then configure again."
			COMMAND ${CMAKE_COMMAND} -E false
			VERBATIM)
		add_dependencies(deb deb_refused)
	endif()
	list(APPEND artefacts ${deb})
	list(APPEND depends deb)
endif()

# The source release is the committed tree, under one top folder, with the
# time stamps of its commit: the same commit gives the same bytes anywhere.
if(GIT_EXECUTABLE AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
	set(source ${PROJECT_BINARY_DIR}/fitbytes-${PROJECT_VERSION}.tar.gz)
	add_custom_target(source
		COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR}
			-c "tar.tar.gz.command=${GZIP_EXECUTABLE} -9n"
			archive --format=tar.gz --prefix=fitbytes-${PROJECT_VERSION}/
			-o ${source} HEAD
		COMMENT "Making ${source}"
		VERBATIM)
	if(NOT CMAKE_CROSSCOMPILING)
		list(APPEND artefacts ${source})
		list(APPEND depends source)
	endif()
endif()

set(dist ${PROJECT_BINARY_DIR}/dist)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
    AND NOT FITBYTES_SANITIZE AND artefacts)
	add_custom_target(dist
		COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist}
		COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
		COMMAND ${CMAKE_COMMAND} -E copy ${artefacts} ${dist}
		COMMENT "Gathering in ${dist} what this build ships"
		VERBATIM)
	add_dependencies(dist ${depends})
else()
	add_custom_target(dist
		COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist}
		COMMENT "This build ships nothing"
		VERBATIM)
endif()
