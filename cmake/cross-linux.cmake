# What the cross toolchain files share: Debian's cross compiler for the
# triplet cross_triplet, with the cross C library under /usr/TRIPLET as the
# root for headers, libraries and, where cross_qemu names one, the qemu-user
# emulator that runs the programs and their tests.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${cross_triplet}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${cross_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(cross_qemu)
	set(CMAKE_CROSSCOMPILING_EMULATOR ${cross_qemu} -L /usr/${cross_triplet})
endif()
