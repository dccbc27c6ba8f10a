# 32-bit x86 Linux (needs g++-i686-linux-gnu). A cross compiler of its own
# makes 32-bit programs whatever flags the caller adds; they run natively on
# an x86-64 host that has the 32-bit C library (libc6-i386 or libc6:i386).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(cross_triplet i686-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
