// padfront: right-align a text in width bytes with spaces in front of it.
// A text at least as long as the width is printed unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "cli.h"
#include "str.h"

constexpr std::uint32_t default_width = 3;
constexpr std::uint32_t least_width = 1;
constexpr char bare_text[] = "0";	// the text of a run with no arguments

int main(int argc, char *argv[])
{
	const char *text = argc > 1 ? argv[1] : bare_text;
	std::uint32_t w = default_width;

	if (argc > 2 && !width_parse(argv[2], default_width, least_width, &w))
		return EXIT_FAILURE;

	// The working copy holds the text and its terminating zero byte.
	std::uint32_t len = str_len(text);
	char *buf = static_cast<char *>(std::malloc(std::size_t{len} + 1));
	if (buf == nullptr)
		return EXIT_FAILURE;
	str_cpy(buf, text, len + 1);

	if (len < w) {
		// w <= width_max, so the size cannot wrap in 32 bits.
		char *grown = static_cast<char *>(std::realloc(buf, std::size_t{w} + 1));
		if (grown == nullptr) {
			std::free(buf);
			return EXIT_FAILURE;
		}
		buf = grown;
		buf[w] = '\0';

		// Move the text to the end of the field, last byte first: the two
		// ranges overlap whenever the text is longer than the padding.
		std::uint32_t pad = w - len;
		for (std::uint32_t i = len; i > 0; i--)
			buf[pad + i - 1] = buf[i - 1];
		std::memset(buf, ' ', pad);
		len = w;
	}

	bool ok = out_write(buf, len);
	std::free(buf);
	return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
