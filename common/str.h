// Byte-string primitives shared by both programs. Lengths count bytes and
// are held in 32 bits: every text measured here comes from the argument
// vector, which the kernel caps at 128 KiB an argument.
#ifndef STR_H
#define STR_H

#include <stdint.h>

// Number of bytes before the first zero byte of s.
uint32_t str_len(const char *s);

// Copy exactly n bytes from src to dst, first byte first. Adds no terminator
// and stops at no zero byte. The regions must not overlap.
void str_cpy(char *dst, const char *src, uint32_t n);

#endif
