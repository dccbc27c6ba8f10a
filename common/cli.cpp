#include "cli.h"

#include <cstdio>
#include <cstdlib>

constexpr int decimal = 10;

bool width_parse(const char *arg, std::uint32_t fallback, std::uint32_t least,
    std::uint32_t *width)
{
	// strtoll saturates out-of-range values, which land above width_max.
	long long v = std::strtoll(arg, nullptr, decimal);

	if (v <= 0) {
		*width = fallback;
		return true;
	}
	if (v > static_cast<long long>(width_max))
		return false;
	*width = v < least ? least : static_cast<std::uint32_t>(v);
	return true;
}

bool out_write(const char *buf, std::size_t n)
{
	if (std::fwrite(buf, 1, n, stdout) != n)
		return false;
	// Bytes still in the stream's buffer have not been written yet.
	return std::fflush(stdout) == 0 && !std::ferror(stdout);
}
