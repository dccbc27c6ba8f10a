// A program run as a bash loadable builtin: its source is compiled again
// with main named tool_main, and this file is its host inside the shell.
// Compiled once per program, with BUILTIN_NAME (its name, a string),
// BUILTIN_STRUCT (NAME_struct, which bash looks up) and BUILTIN_SUMMARY (one
// line of what it does) defined.
#include <signal.h>
#include <unistd.h>

#include "cli.h"

extern "C" {
#include "loadables.h"

// The shell's pending traps by signal number; trap.h, which declares it,
// is not among the headers bash installs.
extern int pending_traps[];
}

int tool_main(int argc, char *argv[]);

// A signal that the shell acts on has come: Ctrl-C, a terminating signal,
// a trapped one. The shell deals with it once the builtin returns. A child
// that exits is no reason to stop.
static bool shell_signalled()
{
	if (interrupt_state != 0 || terminating_signal != 0)
		return true;
	for (int sig = 1; sig < NSIG; sig++)
		if (sig != SIGCHLD && pending_traps[sig] != 0)
			return true;
	return false;
}

// Standard output belongs to the shell: it stays open, and bash flushes its
// own buffer after every builtin, so a write(2) lands in order with echo's
// and printf's output.
bool out_write(const char *buf, size_t n)
{
	return out_all(buf, n, shell_signalled);
}

static char name[] = BUILTIN_NAME;

// Every word is handed on as the program would see it, --help and -- among
// them: no option parsing. The programs read no argument after the width,
// so two words are all that is passed.
static int run(WORD_LIST *words)
{
	constexpr int most = 3;
	char *argv[most + 1] = { name, nullptr, nullptr, nullptr };
	int argc = 1;

	for (; words != nullptr && argc < most; words = words->next)
		argv[argc++] = words->word->word;
	return tool_main(argc, argv) == 0 ? EXECUTION_SUCCESS : EXECUTION_FAILURE;
}

static char summary[] = BUILTIN_SUMMARY;
static char *doc[] = { summary, nullptr };

extern "C" {
__attribute__((visibility("default"))) struct builtin BUILTIN_STRUCT = {
	name, run, BUILTIN_ENABLED, doc, BUILTIN_NAME " [text [width]]", nullptr,
};
}
