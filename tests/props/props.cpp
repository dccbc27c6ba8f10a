// Properties of both programs over generated inputs: any bytes but zero,
// texts up to the longest argument, width arguments with white space, signs,
// junk after the digits and values out of range.
//
// usage: props MIDCLIP PADFRONT [SEED [RUNS [RUNNER ARGS...]]]
//        props --builtins LIBDIR SEED RUNS BASH [ARGS...]
// A failure prints its seed; the same seed replays the same inputs. RUNNER,
// when given, runs every program (an emulator such as qemu-user, for one).
// The second form runs every case through one shell, BASH, with the bash
// builtins of LIBDIR loaded.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern char **environ;

namespace {

constexpr std::size_t arg_max = 131071;	// longest argument Linux passes
constexpr long long width_max = 4294967294;

struct Run {
	int status = -1;
	std::string out, err;
};

std::vector<char *> runner;

// Run the runner's words, then prog and args, as one process.
Run run(const std::string &prog, const std::vector<std::string> &args)
{
	std::vector<char *> argv(runner);
	argv.push_back(const_cast<char *>(prog.c_str()));
	for (const auto &a : args)
		argv.push_back(const_cast<char *>(a.c_str()));
	argv.push_back(nullptr);

	Run r;
	int out[2];
	std::FILE *err = std::tmpfile();
	if (pipe(out) != 0 || err == nullptr) {
		std::perror("props");
		std::exit(2);
	}
	posix_spawn_file_actions_t fa;
	posix_spawn_file_actions_init(&fa);
	posix_spawn_file_actions_adddup2(&fa, out[1], 1);
	posix_spawn_file_actions_adddup2(&fa, fileno(err), 2);
	posix_spawn_file_actions_addclose(&fa, out[0]);
	pid_t pid;
	if (posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) {
		std::perror(argv[0]);
		std::exit(2);
	}
	posix_spawn_file_actions_destroy(&fa);
	close(out[1]);
	char chunk[65536];
	ssize_t n;
	while ((n = read(out[0], chunk, sizeof chunk)) > 0)
		r.out.append(chunk, static_cast<std::size_t>(n));
	close(out[0]);
	int ws;
	waitpid(pid, &ws, 0);
	r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
	std::rewind(err);
	int c;
	while ((c = std::fgetc(err)) != EOF)
		r.err.push_back(static_cast<char>(c));
	std::fclose(err);
	return r;
}

// A width argument together with the value it stands for: 0 when it falls
// back to the default, -1 when it is too wide to be used.
struct Width {
	std::string arg;
	long long value;
};

struct Gen {
	std::mt19937_64 rng;

	std::size_t below(std::size_t n) { return rng() % n; }

	std::string text()
	{
		std::size_t len;
		switch (below(10)) {
		case 0: len = 0; break;
		case 1: len = arg_max - below(3); break;
		case 2: len = below(arg_max); break;
		default: len = below(200); break;
		}
		std::string t(len, ' ');
		for (auto &c : t)
			c = static_cast<char>(1 + below(255));
		return t;
	}

	Width width(std::size_t len)
	{
		static const char *const junk[] = { "x", " ", ".5", "e3", "\t", "-", "+" };
		static const char *const blank[] = { " ", "\t", "\n", "  \v\f\r" };
		static const char *const none[] = { "", "x", "0x10", "-", "+", " ", "abc" };
		long long v;
		switch (below(12)) {
		case 0: return { none[below(7)], 0 };
		case 1: v = -static_cast<long long>(below(1000)) - 1; break;
		case 2: return { "-99999999999999999999", 0 };
		case 3: v = width_max + 1 + static_cast<long long>(below(1000)); break;
		case 4: return { "99999999999999999999999", -1 };
		case 5: v = static_cast<long long>(below(10)); break;
		default: v = static_cast<long long>(len) + static_cast<long long>(below(21)) - 10; break;
		}
		std::string arg = std::to_string(v);
		if (v >= 0 && below(6) == 0)
			arg = "+" + arg;
		if (below(4) == 0)
			arg = blank[below(4)] + arg;
		if (below(3) == 0)
			arg += junk[below(7)];
		if (v < 0)
			v = 0;
		else if (v > width_max)
			v = -1;
		return { arg, v };
	}
};

int fails;

// A word for bash, any bytes but zero: $'...' with the control bytes, the
// quote and the backslash escaped (the script sets the C locale, in which
// every other byte stands for itself).
std::string quote(const std::string &s)
{
	std::string q = "$'";
	for (unsigned char c : s) {
		if (c == '\\' || c == '\'') {
			q += '\\';
			q += static_cast<char>(c);
		} else if (c >= ' ' && c != 0x7f) {
			q += static_cast<char>(c);
		} else {
			char hex[5];
			std::snprintf(hex, sizeof hex, "\\x%02x", c);
			q += hex;
		}
	}
	return q + "'";
}

struct Case {
	std::string text;
	Width w;
	bool third;
};

// Every case of both builtins through one shell: a script that runs each
// call, then prints a zero byte, its status and a zero byte (no output holds
// a zero byte). Returns the runs in order, midclip's then padfront's of each
// case; the shell's standard error, which must stay empty, goes with the
// first.
std::vector<Run> run_builtins(const char *libdir, const std::vector<Case> &cases)
{
	char path[] = "/tmp/props-XXXXXX";
	int fd = mkstemp(path);
	std::FILE *f = fd < 0 ? nullptr : fdopen(fd, "w");
	if (f == nullptr) {
		std::perror("props: script");
		std::exit(2);
	}
	std::string dir = quote(libdir);
	std::fprintf(f, "export LC_ALL=C\n");
	std::fprintf(f, "enable -f %s/midclip midclip && enable -f %s/padfront padfront || exit 2\n",
	    dir.c_str(), dir.c_str());
	for (const auto &c : cases) {
		std::string args = "\"$t\" " + quote(c.w.arg) + (c.third ? " 7" : "");
		std::fprintf(f, "t=%s\n", quote(c.text).c_str());
		for (const char *prog : { "midclip", "padfront" })
			std::fprintf(f, "%s %s; printf '\\0%%d\\0' $?\n", prog, args.c_str());
	}
	if (std::fclose(f) != 0) {
		std::perror("props: script");
		std::exit(2);
	}
	Run all = run(path, {});
	unlink(path);

	std::vector<Run> runs;
	std::size_t at = 0;
	while (at < all.out.size()) {
		std::size_t end = all.out.find('\0', at);
		std::size_t stop = end == std::string::npos ? end : all.out.find('\0', end + 1);
		if (stop == std::string::npos)
			break;
		Run r;
		r.out = all.out.substr(at, end - at);
		r.status = std::atoi(all.out.c_str() + end + 1);
		runs.push_back(r);
		at = stop + 1;
	}
	if (runs.size() != 2 * cases.size() && ++fails)
		std::printf("FAIL: the shell ran %zu calls of %zu, exit %d: %.500s\n",
		    runs.size(), 2 * cases.size(), all.status, all.err.c_str());
	runs.resize(2 * cases.size());
	if (!runs.empty())
		runs[0].err = all.err;
	return runs;
}

void fail(const char *prog, unsigned long long seed, int i, const Width &w,
    std::size_t len, const char *why)
{
	std::printf("FAIL: %s, seed %llu, run %d (text of %zu bytes, width \"%s\"): %s\n",
	    prog, seed, i, len, w.arg.c_str(), why);
	fails++;
}

}  // namespace

int main(int argc, char *argv[])
{
	bool builtins = argc > 1 && std::string(argv[1]) == "--builtins";
	if (argc < 3 || (builtins && argc < 6)) {
		std::fprintf(stderr, "usage: props MIDCLIP PADFRONT [SEED [RUNS [RUNNER ARGS...]]]\n"
		    "       props --builtins LIBDIR SEED RUNS BASH [ARGS...]\n");
		return 2;
	}
	unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
	int runs = argc > 4 ? std::atoi(argv[4]) : 2000;
	runner.assign(argv + (argc > 5 ? 5 : argc), argv + argc);
	Gen g{ std::mt19937_64(seed) };

	std::vector<Case> cases;
	for (int i = 0; i < runs; i++) {
		std::string t = g.text();
		Width w = g.width(t.size());
		cases.push_back({ t, w, g.below(8) == 0 });
	}
	std::vector<Run> results;
	if (builtins)
		results = run_builtins(argv[2], cases);

	for (int i = 0; i < runs; i++) {
		const std::string &t = cases[i].text;
		const Width &w = cases[i].w;
		std::size_t len = t.size();
		std::vector<std::string> args{ t, w.arg };
		if (cases[i].third)
			args.push_back("7");

		// midclip: exactly W bytes, the text's beginning and end around
		// the marker, the beginning at most one byte longer than the end.
		Run r = builtins ? results[2 * i] : run(argv[1], args);
		if (w.value < 0) {
			if (r.status != 1 || !r.out.empty() || !r.err.empty())
				fail("midclip", seed, i, w, len, "too wide a width must fail silently");
		} else {
			std::size_t W = w.value == 0 ? 76 : w.value < 5 ? 5 : w.value;
			std::size_t keep = W - 3, head = (keep + 1) / 2, tail = keep - head;
			if (r.status != 0 || !r.err.empty())
				fail("midclip", seed, i, w, len, "bad status or stderr");
			else if (r.out.size() != W)
				fail("midclip", seed, i, w, len, "output is not W bytes");
			else if (len <= W && r.out != t + std::string(W - len, ' '))
				fail("midclip", seed, i, w, len, "short text not padded on the right");
			else if (len > W && (r.out.compare(0, head, t, 0, head) != 0 ||
			    r.out.compare(head, 3, "...") != 0 ||
			    r.out.compare(head + 3, tail, t, len - tail, tail) != 0))
				fail("midclip", seed, i, w, len, "long text not elided around the marker");
		}

		// padfront: max(L, W) bytes, ending with the text, spaces before it.
		r = builtins ? results[2 * i + 1] : run(argv[2], args);
		if (w.value < 0) {
			if (r.status != 1 || !r.out.empty() || !r.err.empty())
				fail("padfront", seed, i, w, len, "too wide a width must fail silently");
		} else {
			std::size_t W = w.value == 0 ? 3 : w.value;
			std::size_t n = len > W ? len : W;
			if (r.status != 0 || !r.err.empty())
				fail("padfront", seed, i, w, len, "bad status or stderr");
			else if (r.out != std::string(n - len, ' ') + t)
				fail("padfront", seed, i, w, len, "text not right-aligned");
		}
		if (fails > 10)
			break;
	}
	std::printf("%d runs of each program, seed %llu, %d failed\n", runs, seed, fails);
	return fails != 0;
}
