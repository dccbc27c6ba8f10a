# Make the Debian package of an already built tree: cmake -P deb.cmake with
# SRC, BIN, VERSION, DATE (of the release, YYYY-MM-DD), ARCH, MAINTAINER,
# STRIP, READELF, GZIP, DPKG_DEB and OUT set.
#
# Everything in the package is derived from the tree and the NEWS file, with
# time stamps from SOURCE_DATE_EPOCH (the date of the release in NEWS when it
# is not set), so that the same sources give the same bytes in any folder.
cmake_minimum_required(VERSION 3.25)

set(name fitbytes)
set(maintainer "${MAINTAINER}")
set(stage ${BIN}/deb)
set(root ${stage}/root)
set(doc ${root}/usr/share/doc/${name})

include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)

# The release notes: the first entry of NEWS, after its heading line.
file(READ ${SRC}/NEWS news)
string(REGEX REPLACE "^[^\n]*\n\n" "" notes "${news}")
string(FIND "${notes}" "\n\n${name} " end)
string(SUBSTRING "${notes}" 0 ${end} notes)
string(REGEX REPLACE "\n+$" "" notes "${notes}")

execute_process(COMMAND date -u -R -d "${DATE}"
	OUTPUT_VARIABLE when OUTPUT_STRIP_TRAILING_WHITESPACE
	COMMAND_ERROR_IS_FATAL ANY)

# The installed tree, as cmake --install lays it out under /usr.
file(REMOVE_RECURSE ${stage})
run(${CMAKE_COMMAND} -E env DESTDIR=${root}
	${CMAKE_COMMAND} --install ${BIN} --prefix /usr)
# The programs, and the bash builtins where the build made them.
file(GLOB programs ${root}/usr/bin/* ${root}/usr/lib/bash/*)

# The C library version the programs and builtins need is the highest
# symbol version they use.
execute_process(COMMAND ${READELF} -V -W ${programs}
	OUTPUT_VARIABLE versions COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "GLIBC_[0-9]+(\\.[0-9]+)+" versions "${versions}")
set(libc 0)
foreach(v IN LISTS versions)
	string(REPLACE "GLIBC_" "" v ${v})
	if(v VERSION_GREATER libc)
		set(libc ${v})
	endif()
endforeach()
if(libc VERSION_EQUAL 0)
	message(FATAL_ERROR "no GLIBC_ symbol version in ${programs}")
endif()

# Stripped with the target's own tools, without the compilers' notes (a
# builtin keeps its dynamic symbols, which bash looks it up by).
foreach(p IN LISTS programs)
	run(${STRIP} --remove-section=.comment --remove-section=.note ${p})
endforeach()

# The summary and description, shared with the RPM, in the control file's
# form.
read_description(summary description)
string(REPLACE "\n\n" "\n.\n" description "${description}")
string(REPLACE "\n" "\n " description " ${description}")

# Copyright in the machine-readable format, its licence text from LICENSE.
file(READ ${SRC}/LICENSE license)
if(NOT license MATCHES "^Copyright \\(c\\) ([^\n]+)\n\n(.*)$")
	message(FATAL_ERROR "LICENSE does not start with a copyright line")
endif()
set(holder ${CMAKE_MATCH_1})
string(STRIP "${CMAKE_MATCH_2}" text)
string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
string(REGEX REPLACE "\n" "\n " text "${text}")
file(WRITE ${doc}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${name}
Upstream-Contact: ${maintainer}

Files: *
Copyright: ${holder}
License: ISC

License: ISC
 ${text}
")

# lintian counts a call of poll(2) that needs no check as an unfortified
# one, and the fortified memset as none.
file(WRITE ${root}/usr/share/lintian/overrides/${name}
"# poll(2) takes one pollfd whose size the compiler knows: nothing to check
# at run time. The padding's memset is fortified, which lintian does not
# count.
${name}: hardening-no-fortify-functions [usr/bin/*]
${name}: hardening-no-fortify-functions [usr/lib/bash/*]
")

# The Debian changelog of a native package is its NEWS, in Debian's form.
file(WRITE ${stage}/changelog
"${name} (${VERSION}) unstable; urgency=medium

${notes}

 -- ${maintainer}  ${when}
")
run(${GZIP} -9n -c ${stage}/changelog OUTPUT_FILE ${doc}/changelog.gz)

# Sizes, checksums and the control file.
file(GLOB_RECURSE files LIST_DIRECTORIES true RELATIVE ${root} ${root}/*)
list(SORT files)
set(kib 0)
set(sums "")
foreach(f IN LISTS files)
	if(IS_DIRECTORY ${root}/${f})
		math(EXPR kib "${kib} + 1")
	else()
		file(SIZE ${root}/${f} size)
		math(EXPR kib "${kib} + (${size} + 1023) / 1024")
		file(MD5 ${root}/${f} sum)
		string(APPEND sums "${sum}  ${f}\n")
	endif()
endforeach()

file(MAKE_DIRECTORY ${root}/DEBIAN)
file(WRITE ${root}/DEBIAN/md5sums "${sums}")
file(WRITE ${root}/DEBIAN/control
"Package: ${name}
Version: ${VERSION}
Architecture: ${ARCH}
Maintainer: ${maintainer}
Installed-Size: ${kib}
Depends: libc6 (>= ${libc})
Section: utils
Priority: optional
Description: ${summary}
${description}
")

# Modes and times that do not depend on the umask or the clock.
run(chmod -R u=rwX,go=rX ${root})
run(find ${root} -exec touch -h -d @${epoch} {} +)
run(${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
	${DPKG_DEB} --root-owner-group -Zxz --build ${root} ${OUT})
