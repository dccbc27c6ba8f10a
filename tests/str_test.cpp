// The byte primitives on what arguments can never hold: zero bytes inside
// a counted run, and the bytes around a copy that must stay untouched.
// C headers alone, like the programs, so that it builds against any C
// library the programs are built with.
#include <stdio.h>
#include <string.h>

#include "str.h"

static int fails;

static void expect(bool ok, const char *what)
{
	if (!ok) {
		printf("FAIL: %s\n", what);
		fails++;
	}
}

int main()
{
	expect(str_len("") == 0, "empty text has length 0");
	expect(str_len("a") == 1, "one byte has length 1");
	expect(str_len("ab\0cd") == 2, "length stops at the first zero byte");
	expect(str_len("\xff\x01\x80") == 3, "high bytes count as bytes");

	struct {
		const char *src;
		unsigned n;
		const char *want;	// 8 bytes of the destination afterwards
		const char *what;
	} copies[] = {
		{ "abc", 0, "########", "count 0 copies nothing" },
		{ "abc", 3, "abc#####", "no terminator is added" },
		{ "abc", 4, "abc\0####", "count len+1 copies the terminator" },
		{ "a\0b\0c", 5, "a\0b\0c###", "zero bytes inside the run are copied" },
		{ "abcdefgh", 8, "abcdefgh", "a full run ends at its count" },
	};
	for (const auto &c : copies) {
		char dst[10];
		memset(dst, '#', sizeof dst);
		str_cpy(dst, c.src, c.n);
		expect(memcmp(dst, c.want, 8) == 0 && dst[8] == '#', c.what);
	}

	// Long runs with every alignment, against memcpy.
	static const unsigned lens[] = { 1, 15, 16, 17, 63, 4096 };
	static char src[4096 + 64], dst[4096 + 64], want[4096 + 64];
	for (unsigned i = 0; i < sizeof src; i++)
		src[i] = static_cast<char>(i * 7 + 1);
	for (unsigned so = 0; so < 8; so++)
		for (unsigned d = 0; d < 8; d++)
			for (unsigned n : lens) {
				memset(dst, '#', sizeof dst);
				memset(want, '#', sizeof want);
				memcpy(want + d, src + so, n);
				str_cpy(dst + d, src + so, n);
				expect(memcmp(dst, want, sizeof dst) == 0,
				    "long copy equals memcpy");
			}

	printf("%d failed\n", fails);
	return fails != 0;
}
