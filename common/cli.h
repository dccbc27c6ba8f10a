// What both programs do at their edges: read the width argument and hand
// the finished result to standard output.
#ifndef CLI_H
#define CLI_H

#include <stddef.h>
#include <stdint.h>

// The widest result: one byte more, for the terminating zero, must still
// fit a 32-bit count.
constexpr uint32_t width_max = UINT32_MAX - 1;
static_assert(size_t{width_max} < SIZE_MAX,
    "a buffer of width_max + 1 bytes must have a size_t size");

// Read a width the way strtol does in base 10, but on the full 64-bit value
// so that nothing wraps before it is judged. No digits, zero or a negative
// value give fallback; a value below least is raised to least. Returns false
// when the value is above width_max and cannot be used.
bool width_parse(const char *arg, uint32_t fallback, uint32_t least,
    uint32_t *width);

// Write the n bytes of buf to standard output, waiting for room where the
// output is non-blocking and full. stop, where given, is asked after a write
// or wait that a signal cut short: true gives up. Returns false when any
// byte was not written.
bool out_all(const char *buf, size_t n, bool (*stop)());

// Hand the finished result to standard output: all of it, and whatever the
// host of the run owes its output besides. A program closes standard output,
// the last point where a lost write shows; a shell builtin leaves it open and
// gives way to the shell's signals. Returns false when any byte was lost.
bool out_write(const char *buf, size_t n);

#endif
