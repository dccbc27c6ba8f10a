#include "str.h"

uint32_t str_len(const char *s)
{
	uint32_t n = 0;

	while (s[n] != '\0')
		n++;
	return n;
}

void str_cpy(char *dst, const char *src, uint32_t n)
{
	for (uint32_t i = 0; i < n; i++)
		dst[i] = src[i];
}
