#include "cli.h"

#include <errno.h>
#include <stdlib.h>
#include <unistd.h>

constexpr int decimal = 10;

bool width_parse(const char *arg, uint32_t fallback, uint32_t least,
    uint32_t *width)
{
	// strtoll saturates out-of-range values, which land above width_max.
	long long v = strtoll(arg, nullptr, decimal);

	if (v <= 0) {
		*width = fallback;
		return true;
	}
	if (v > static_cast<long long>(width_max))
		return false;
	*width = v < least ? least : static_cast<uint32_t>(v);
	return true;
}

bool out_write(const char *buf, size_t n)
{
	bool ok = true;

	// write(2) may take fewer bytes than asked (a pipe, a signal, the
	// kernel's cap of about 2 GiB a call); go on from where it stopped.
	while (n > 0) {
		ssize_t done = write(STDOUT_FILENO, buf, n);
		if (done < 0 && errno == EINTR)
			continue;
		if (done <= 0) {
			ok = false;
			break;
		}
		buf += done;
		n -= static_cast<size_t>(done);
	}
	// Some file systems (NFS among them) report a lost write only when the
	// file is closed.
	if (close(STDOUT_FILENO) != 0)
		ok = false;
	return ok;
}
