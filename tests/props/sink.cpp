// Runs a program with its standard output on a reader of a kind that the
// shell cannot make, and exits with the program's status (128 + N for a
// signal).
//
// usage: sink late|full|tty|count PROG [ARGS...]
//   late   a non-blocking pipe read only after the program has filled it
//          and waited
//   full   a non-blocking pipe that already holds all but a few bytes of
//          its capacity
//   tty    a non-blocking pseudo-terminal in raw mode, read a little at a
//          time
//   count  a pipe whose bytes are counted, not kept: too many for memory
// The first three relay what arrived to standard output; count prints the
// number of bytes.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

extern char **environ;

namespace {

constexpr long reader_delay_ms = 300;	// how late the reader starts
constexpr int room_left = 6;		// free bytes in the "full" pipe
constexpr std::size_t tty_chunk = 256;	// bytes a slow terminal reads at once
constexpr long tty_pause_ms = 1;

[[noreturn]] void die(const char *what)
{
	std::fprintf(stderr, "sink: %s: %s\n", what, std::strerror(errno));
	std::exit(2);
}

void pause_ms(long ms)
{
	struct timespec t = { ms / 1000, (ms % 1000) * 1000000 };
	while (nanosleep(&t, &t) != 0 && errno == EINTR)
		;
}

void set_nonblocking(int fd)
{
	int flags = fcntl(fd, F_GETFL);
	if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
		die("O_NONBLOCK");
}

pid_t spawn(char **argv, int out, int other)
{
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	posix_spawn_file_actions_adddup2(&fa, out, STDOUT_FILENO);
	posix_spawn_file_actions_addclose(&fa, out);
	posix_spawn_file_actions_addclose(&fa, other);
	pid_t pid;
	int err = posix_spawnp(&pid, argv[0], &fa, nullptr, argv, environ);
	if (err != 0) {
		errno = err;
		die(argv[0]);
	}
	posix_spawn_file_actions_destroy(&fa);
	return pid;
}

// Read fd to its end (or, for a terminal, until the last writer is gone)
// and hand every byte on, skipping the first `discard`.
void relay(int fd, std::size_t chunk, long pause, std::size_t discard)
{
	std::string buf(chunk, '\0');
	for (;;) {
		ssize_t n = read(fd, &buf[0], chunk);
		if (n < 0 && errno == EINTR)
			continue;
		if (n < 0 && errno == EIO)	// terminal: no writer left
			break;
		if (n < 0)
			die("read");
		if (n == 0)
			break;
		std::size_t skip = discard < static_cast<std::size_t>(n) ?
		    discard : static_cast<std::size_t>(n);
		discard -= skip;
		if (std::fwrite(buf.data() + skip, 1, n - skip, stdout) != n - skip)
			die("write");
		if (pause > 0)
			pause_ms(pause);
	}
}

int status_of(pid_t pid)
{
	int ws;
	while (waitpid(pid, &ws, 0) < 0)
		if (errno != EINTR)
			die("waitpid");
	return WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
}

}  // namespace

int main(int argc, char *argv[])
{
	if (argc < 3) {
		std::fprintf(stderr, "usage: sink late|full|tty|count PROG [ARGS...]\n");
		return 2;
	}
	std::string mode = argv[1];
	char **prog = argv + 2;
	pid_t pid;

	if (mode == "late" || mode == "full") {
		int p[2];
		if (pipe(p) != 0)
			die("pipe");
		set_nonblocking(p[1]);
		std::size_t prefill = 0;
		if (mode == "full") {
			int size = fcntl(p[1], F_GETPIPE_SZ);
			if (size <= room_left)
				die("F_GETPIPE_SZ");
			std::string fill(static_cast<std::size_t>(size - room_left), 'F');
			if (write(p[1], fill.data(), fill.size()) != static_cast<ssize_t>(fill.size()))
				die("filling the pipe");
			prefill = fill.size();
		}
		pid = spawn(prog, p[1], p[0]);
		close(p[1]);
		pause_ms(reader_delay_ms);
		relay(p[0], 65536, 0, prefill);
	} else if (mode == "count") {
		int p[2];
		int null = open("/dev/null", O_WRONLY);
		if (pipe(p) != 0 || null < 0)
			die("pipe");
		pid = spawn(prog, p[1], p[0]);
		close(p[1]);
		// splice(2) moves the pipe's pages on without copying them.
		unsigned long long n = 0;
		ssize_t got;
		while ((got = splice(p[0], nullptr, null, nullptr, 1 << 20, 0)) != 0) {
			if (got < 0 && errno != EINTR)
				die("splice");
			if (got > 0)
				n += static_cast<unsigned long long>(got);
		}
		std::printf("%llu\n", n);
	} else if (mode == "tty") {
		int master = posix_openpt(O_RDWR | O_NOCTTY);
		if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
			die("pseudo-terminal");
		int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
		struct termios t;
		if (slave < 0 || tcgetattr(slave, &t) != 0)
			die("terminal");
		cfmakeraw(&t);
		if (tcsetattr(slave, TCSANOW, &t) != 0)
			die("raw mode");
		set_nonblocking(slave);
		pid = spawn(prog, slave, master);
		close(slave);
		relay(master, tty_chunk, tty_pause_ms, 0);
	} else {
		std::fprintf(stderr, "sink: unknown mode %s\n", mode.c_str());
		return 2;
	}
	if (std::fflush(stdout) != 0)
		die("write");
	return status_of(pid);
}
