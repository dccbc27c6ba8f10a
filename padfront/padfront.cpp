// padfront: right-align a text in width bytes with spaces in front of it.
// A text at least as long as the width is printed unchanged.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "cli.h"
#include "str.h"

constexpr uint32_t default_width = 3;
constexpr uint32_t least_width = 1;
constexpr char bare_text[] = "0";	// the text of a run with no arguments

int main(int argc, char *argv[])
{
	const char *text = argc > 1 ? argv[1] : bare_text;
	uint32_t w = default_width;

	if (argc > 2 && !width_parse(argv[2], default_width, least_width, &w))
		return EXIT_FAILURE;

	// The working copy holds the text and its terminating zero byte.
	uint32_t len = str_len(text);
	char *buf = static_cast<char *>(malloc(size_t{len} + 1));
	if (buf == nullptr)
		return EXIT_FAILURE;
	str_cpy(buf, text, len + 1);

	if (len < w) {
		// w <= width_max, so the size cannot wrap in 32 bits.
		char *grown = static_cast<char *>(realloc(buf, size_t{w} + 1));
		if (grown == nullptr) {
			free(buf);
			return EXIT_FAILURE;
		}
		buf = grown;
		buf[w] = '\0';

		// Move the text to the end of the field, last byte first: the two
		// ranges overlap whenever the text is longer than the padding.
		uint32_t pad = w - len;
		for (uint32_t i = len; i > 0; i--)
			buf[pad + i - 1] = buf[i - 1];
		memset(buf, ' ', pad);
		len = w;
	}

	bool ok = out_write(buf, len);
	free(buf);
	return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
