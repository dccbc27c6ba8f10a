# 32-bit ARM Linux with the hard-float ABI (needs g++-arm-linux-gnueabihf and
# qemu-user).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(cross_triplet arm-linux-gnueabihf)
set(cross_qemu qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
