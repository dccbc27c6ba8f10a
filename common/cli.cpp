#include "cli.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

constexpr int decimal = 10;
constexpr int forever = -1;	// poll(2) timeout: wait as long as it takes

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

// A write to standard output failed with EAGAIN. On an output that the
// parent left non-blocking (the flag belongs to the open file, shared with
// it, so it stays as it is) that only means the reader is slower: wait for
// room. On a blocking one it is a socket's send timeout, which the parent
// chose, and the bytes are lost. Returns false when they are lost; true,
// with *hangup set when poll saw an error or hang-up and no room, when the
// next write is to decide. A signal ends the wait where stop says so.
static bool out_wait(bool *hangup, bool (*stop)())
{
	int flags = fcntl(STDOUT_FILENO, F_GETFL);
	if (flags < 0 || (flags & O_NONBLOCK) == 0)
		return false;

	struct pollfd p = {};
	p.fd = STDOUT_FILENO;
	p.events = POLLOUT;
	int n;
	while ((n = poll(&p, 1, forever)) < 0)
		if (errno != EINTR || (stop != nullptr && stop()))
			return false;
	*hangup = n > 0 && (p.revents & POLLOUT) == 0 &&
	    (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
	return true;
}

bool out_all(const char *buf, size_t n, bool (*stop)())
{
	bool hangup = false;

	// write(2) may take fewer bytes than asked (a pipe, a signal, the
	// kernel's cap of about 2 GiB a call); go on from where it stopped.
	while (n > 0) {
		ssize_t done = write(STDOUT_FILENO, buf, n);
		if (done < 0 && errno == EINTR) {
			if (stop != nullptr && stop())
				return false;
			continue;
		}
		// After a hang-up the write itself tells: a pipe without a
		// reader raises SIGPIPE, which ends the run as it ends others.
		if (done < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
		    !hangup && out_wait(&hangup, stop))
			continue;
		if (done <= 0)
			return false;
		hangup = false;
		buf += done;
		n -= static_cast<size_t>(done);
		// A signal that comes after some bytes went cuts the write short
		// instead of failing it.
		if (n > 0 && stop != nullptr && stop())
			return false;
	}
	return true;
}
