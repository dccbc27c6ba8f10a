// midclip: print a text in exactly width bytes. A longer text keeps its
// beginning and its end around "..."; a shorter one is padded with spaces.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "cli.h"
#include "str.h"

constexpr uint32_t default_width = 76;
constexpr uint32_t least_width = 5;	// one byte each side of the marker
constexpr char marker[] = "...";
constexpr uint32_t marker_len = sizeof marker - 1;

int main(int argc, char *argv[])
{
	const char *text = argc > 1 ? argv[1] : "";
	uint32_t w = default_width;

	if (argc > 2 && !width_parse(argv[2], default_width, least_width, &w))
		return EXIT_FAILURE;

	uint32_t len = str_len(text);
	// w <= width_max, so the size cannot wrap in 32 bits.
	char *buf = static_cast<char *>(malloc(size_t{w} + 1));
	if (buf == nullptr)
		return EXIT_FAILURE;
	buf[w] = '\0';

	if (len > w) {
		uint32_t keep = w - marker_len;
		uint32_t head = keep - keep / 2;	// the odd byte goes first
		uint32_t tail = keep - head;

		str_cpy(buf, text, head);
		str_cpy(buf + head, marker, marker_len);
		str_cpy(buf + head + marker_len, text + (len - tail), tail);
	} else {
		str_cpy(buf, text, len);
		memset(buf + len, ' ', w - len);
	}

	bool ok = out_write(buf, w);
	free(buf);
	return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
