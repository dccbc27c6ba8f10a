# Release artefacts: a Debian package of both programs (target deb), or for
# a static musl build a tarball of them to unpack anywhere (target tarball),
# and the source tarball (target package_source).

# The release NEWS names first must be the one being built; its date is the
# package's.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS news_head LIMIT_COUNT 1)
if(NOT news_head MATCHES "^fitbytes ${PROJECT_VERSION} \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
	message(FATAL_ERROR "NEWS: \"${news_head}\" should be \"fitbytes ${PROJECT_VERSION} (YYYY-MM-DD)\"")
endif()
set(release_date ${CMAKE_MATCH_1})

# The Debian name of the machine the programs are built for.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine
	OUTPUT_VARIABLE triplet OUTPUT_STRIP_TRAILING_WHITESPACE)
if(triplet MATCHES "^(x86_64|i[3-6]86)-" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
	set(deb_arch i386)
elseif(triplet MATCHES "^x86_64-")
	set(deb_arch amd64)
elseif(triplet MATCHES "^aarch64-")
	set(deb_arch arm64)
elseif(triplet MATCHES "^arm.*-gnueabihf$")
	set(deb_arch armhf)
elseif(triplet MATCHES "^arm.*-gnueabi$")
	set(deb_arch armel)
elseif(triplet MATCHES "^powerpc64le-")
	set(deb_arch ppc64el)
elseif(triplet MATCHES "^riscv64-")
	set(deb_arch riscv64)
elseif(triplet MATCHES "^s390x-")
	set(deb_arch s390x)
endif()
set(FITBYTES_DEB_ARCH "${deb_arch}" CACHE STRING "Debian architecture of the package")

find_program(DPKG_DEB dpkg-deb)
find_program(TAR_EXECUTABLE tar)
if(FITBYTES_MUSL_TRIPLET AND TAR_EXECUTABLE)
	set(tarball fitbytes-${PROJECT_VERSION}-${FITBYTES_MUSL_TRIPLET})
	add_custom_target(tarball
		COMMAND ${CMAKE_COMMAND}
			-DSRC=${PROJECT_SOURCE_DIR} -DBIN=${PROJECT_BINARY_DIR}
			-DNAME=${tarball} -DDATE=${release_date}
			-DSTRIP=${CMAKE_STRIP} -DGZIP=${GZIP_EXECUTABLE}
			-DTAR=${TAR_EXECUTABLE} -DMUSL_COPYRIGHT=/usr/share/doc/musl-dev/copyright
			-P ${CMAKE_CURRENT_LIST_DIR}/tarball.cmake
		COMMENT "Making ${PROJECT_BINARY_DIR}/${tarball}.tar.gz"
		VERBATIM)
	add_dependencies(tarball midclip padfront midclip_page padfront_page)
elseif(DPKG_DEB AND FITBYTES_DEB_ARCH)
	set(deb ${PROJECT_BINARY_DIR}/fitbytes_${PROJECT_VERSION}_${FITBYTES_DEB_ARCH}.deb)
	add_custom_target(deb
		COMMAND ${CMAKE_COMMAND}
			-DSRC=${PROJECT_SOURCE_DIR} -DBIN=${PROJECT_BINARY_DIR}
			-DVERSION=${PROJECT_VERSION} -DDATE=${release_date}
			-DARCH=${FITBYTES_DEB_ARCH}
			-DSTRIP=${CMAKE_STRIP} -DREADELF=${CMAKE_READELF}
			-DGZIP=${GZIP_EXECUTABLE} -DDPKG_DEB=${DPKG_DEB} -DOUT=${deb}
			-P ${CMAKE_CURRENT_LIST_DIR}/deb.cmake
		COMMENT "Making ${deb}"
		VERBATIM)
	add_dependencies(deb midclip padfront midclip_page padfront_page)
endif()

# The source tarball holds the tracked files alone, under one top folder:
# source.cmake, read when cpack runs, leaves out this build tree and whatever
# git does not track at that moment.
find_package(Git QUIET)
set(CPACK_FITBYTES_GIT "${GIT_EXECUTABLE}")
set(CPACK_FITBYTES_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_FITBYTES_BINARY_DIR ${PROJECT_BINARY_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/source.cmake)

set(CPACK_PACKAGE_NAME fitbytes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR TGZ)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME fitbytes-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/\\.git$")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
