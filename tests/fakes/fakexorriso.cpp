// Plays xorriso in tests, as a recorder that misbehaves. ISOMINT_FAKE_XORRISO
// holds what it does, words run in order:
//   ignoreterm   ignore SIGTERM (a started grandchild inherits that)
//   grandchild   start a child of its own that waits for ever, in its group
//   crash        die by SIGSEGV
//   hang         wait for ever
//   silent       exit 0 at once without a word
// Before the first word that ends or waits, its pid and then the grandchild's,
// a line each, go to the file named by ISOMINT_FAKE_XORRISO_PIDS. Without a
// word it exits 0. The arguments are ignored, so any call of the program works.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string g_pids;

// Renamed into place, so a test never reads half the list.
void WritePids()
{
    const char* path = std::getenv("ISOMINT_FAKE_XORRISO_PIDS");
    if (path == nullptr)
        return;
    const std::string temporary = std::string(path) + ".part";
    if (FILE* file = std::fopen(temporary.c_str(), "w")) {
        std::fputs((std::to_string(getpid()) + '\n' + g_pids).c_str(), file);
        std::fclose(file);
        std::rename(temporary.c_str(), path);
    }
}

[[noreturn]] void WaitForEver()
{
    for (;;)
        pause();
}

} // namespace

int main()
{
    const char* words = std::getenv("ISOMINT_FAKE_XORRISO");
    std::istringstream in(words != nullptr ? words : "");
    std::string word;
    while (in >> word) {
        if (word == "ignoreterm") {
            std::signal(SIGTERM, SIG_IGN);
            continue;
        }
        if (word == "grandchild") {
            const pid_t child = fork();
            if (child == 0)
                WaitForEver();
            g_pids += std::to_string(child) + '\n';
            continue;
        }
        WritePids();
        if (word == "crash") {
            // The default action, even where a sanitizer has a handler of its own.
            std::signal(SIGSEGV, SIG_DFL);
            std::raise(SIGSEGV);
        }
        if (word == "hang")
            WaitForEver();
        if (word == "silent")
            return 0;
    }
    WritePids();
    return 0;
}
