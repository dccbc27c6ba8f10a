# Make the release tarball of an already built static tree: cmake -P
# tarball.cmake with SRC, BIN, NAME (the tarball's name and its one top
# folder), DATE (of the release, YYYY-MM-DD), STRIP, GZIP and TAR set.
# Writes BIN/NAME.tar.gz.
#
# Sorted entries owned by 0, fixed modes and time stamps and a gzip header
# without a name or time: the same sources give the same bytes in any folder.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)

set(stage ${BIN}/tarball)
set(top ${stage}/${NAME})
set(out ${BIN}/${NAME}.tar.gz)

# The programs, their pages and licences as cmake --install lays them out,
# the programs stripped.
file(REMOVE_RECURSE ${stage})
run(${CMAKE_COMMAND} --install ${BIN} --prefix ${top})
strip_static(${top}/bin)

file(COPY_FILE ${SRC}/README.md ${top}/README.md)

run(chmod -R u=rwX,go=rX ${stage})
run(${TAR} --sort=name --owner=0 --group=0 --numeric-owner --mtime=@${epoch}
	--format=gnu -C ${stage} -cf ${stage}/${NAME}.tar ${NAME})
run(${GZIP} -9n -c ${stage}/${NAME}.tar OUTPUT_FILE ${out})
