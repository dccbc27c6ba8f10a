# Make the Arch Linux package of an already built static tree with makepkg:
# cmake -P arch.cmake with SRC, BIN, VERSION, DATE (of the release,
# YYYY-MM-DD), ARCH (Arch Linux's name of the machine), CHOST, MAINTAINER,
# STRIP, MAKEPKG and OUT set. Writes OUT.
#
# The package holds what the tarball does, under /usr: the static programs,
# their pages and licences, and the bash builtins in /usr/lib/bash. Time
# stamps come from SOURCE_DATE_EPOCH or else the release date, and makepkg,
# which records the folders it ran in, runs in the same ones every time, so
# that the same sources give the same bytes in any folder.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
read_description(summary description)
string(REPLACE "'" "'\\''" summary "${summary}")

set(work /tmp/fitbytes-makepkg)
set(root ${work}/root)
file(REMOVE_RECURSE ${work})

# Installed as cmake --install lays it out, the programs stripped as the
# tarball has them.
run(${CMAKE_COMMAND} -E env DESTDIR=${root}
	${CMAKE_COMMAND} --install ${BIN} --prefix /usr)
strip_static(${root}/usr/bin)
run(chmod -R u=rwX,go=rX ${root})

# Debian's makepkg.conf is for its own machine: the target's name, a zstd
# package, and nothing done to the files, which are already as they ship.
file(WRITE ${work}/makepkg.conf "source /etc/makepkg.conf
CARCH='${ARCH}'
CHOST='${CHOST}'
PKGEXT='.pkg.tar.zst'
COMPRESSZST=(zstd -c -q -19 -)
BUILDENV=(!distcc !color !ccache !check !sign)
OPTIONS=(!strip docs !libtool !staticlibs !emptydirs !zipman !purge !debug !lto)
BUILDDIR='${work}/build'
PKGDEST='${work}/out'
SRCDEST='${work}/src'
PACKAGER='${MAINTAINER}'
")
file(WRITE ${work}/PKGBUILD "pkgname=fitbytes
pkgver=${VERSION}
pkgrel=1
pkgdesc='${summary}'
arch=('${ARCH}')
license=('ISC' 'MIT')	# MIT: musl, inside the static programs

package() {
	cp -a \"\$startdir/root/.\" \"\$pkgdir/\"
}
")

# makepkg asks pacman for the installed packages to record them, and pacman
# says it has no database on a Debian system: nothing is recorded.
#
# makepkg refuses to run as root: then it runs as nobody, in a folder that
# nobody owns.
set(as "")
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(uid EQUAL 0)
	run(chown -R nobody:nogroup ${work})
	set(as setpriv --reuid=nobody --regid=nogroup --clear-groups)
endif()
execute_process(COMMAND ${as} ${CMAKE_COMMAND} -E env HOME=${work} SOURCE_DATE_EPOCH=${epoch}
		${MAKEPKG} --config ${work}/makepkg.conf --nodeps --force --noconfirm
	WORKING_DIRECTORY ${work}
	RESULT_VARIABLE status)
if(NOT status EQUAL 0)
	message(FATAL_ERROR "makepkg failed (${status})")
endif()
file(COPY_FILE ${work}/out/fitbytes-${VERSION}-1-${ARCH}.pkg.tar.zst ${OUT})
file(REMOVE_RECURSE ${work})
