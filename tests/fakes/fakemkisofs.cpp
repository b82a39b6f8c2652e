// Plays mkisofs in tests. The file named by ISOMINT_FAKE_MKISOFS_SCRIPT says
// what to do, one command a line:
//   out TEXT / err TEXT   TEXT and a line feed to standard output / error
//   raw TEXT              TEXT alone to standard output
//   fill N C              N copies of the character C to standard output
//   (TEXT understands \n, \r, \t, \\ and \xNN)
//   sleep MS              wait
//   chunks N              create the chunks <-o argument>_00 .. _N-1
//   image FILE [N]        copy FILE to the -o argument, or as N chunks of it
//   partial N             write N bytes to the -o argument, as a build cut short
//   argv FILE             write the arguments, each ended by a NUL
//   stdin FILE            write "devnull" when standard input is /dev/null
//   pid FILE              write the process id
//   touch FILE            create FILE, to tell the test how far the script got
//   waitfor FILE          wait until FILE exists
//   ignoreterm            ignore SIGTERM
//   signal N              die by signal N
//   exit N                exit with code N
// Without a script it exits 0 at once. Writes are unbuffered, so standard
// output and standard error interleave exactly as written.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> g_args;

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}

// Written under a temporary name first, so a reader never sees half of it.
void WriteFile(const std::string& path, const std::string& content)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << content;
    }
    std::rename(temporary.c_str(), path.c_str());
}

std::string Unescape(const std::string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'n')
            result += '\n';
        else if (c == 'r')
            result += '\r';
        else if (c == 't')
            result += '\t';
        else if (c == 'x' && i + 2 < text.size()) {
            result += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            result += c;
    }
    return result;
}

std::string OutputArgument()
{
    for (size_t i = 0; i + 1 < g_args.size(); ++i) {
        if (g_args[i] == "-o")
            return g_args[i + 1];
    }
    return "image.iso";
}

std::string ChunkPath(int number)
{
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%2.2d", number);
    return OutputArgument() + suffix;
}

// Copies a prepared image into place, whole or cut into pieces in order.
void CopyImage(const std::string& rest)
{
    const size_t blank = rest.find(' ');
    std::ifstream in(rest.substr(0, blank), std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (blank == std::string::npos) {
        WriteFile(OutputArgument(), image);
        return;
    }
    const int pieces = std::stoi(rest.substr(blank + 1));
    const size_t size = (image.size() + pieces - 1) / pieces;
    for (int n = 0; n < pieces; ++n)
        WriteFile(ChunkPath(n), image.substr(std::min(image.size(), n * size), size));
}

bool StdinIsDevNull()
{
    struct stat in;
    struct stat null;
    return fstat(STDIN_FILENO, &in) == 0 && stat("/dev/null", &null) == 0 &&
           in.st_rdev == null.st_rdev && S_ISCHR(in.st_mode);
}

void Run(const std::string& command, const std::string& rest)
{
    if (command == "out")
        WriteAll(STDOUT_FILENO, Unescape(rest) + "\n");
    else if (command == "err")
        WriteAll(STDERR_FILENO, Unescape(rest) + "\n");
    else if (command == "raw")
        WriteAll(STDOUT_FILENO, Unescape(rest));
    else if (command == "fill") {
        const size_t blank = rest.find(' ');
        WriteAll(STDOUT_FILENO, std::string(std::stoul(rest.substr(0, blank)), rest.at(blank + 1)));
    } else if (command == "sleep")
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(rest)));
    else if (command == "chunks") {
        for (int n = 0; n < std::stoi(rest); ++n)
            WriteFile(ChunkPath(n), "chunk");
    } else if (command == "image")
        CopyImage(rest);
    else if (command == "partial")
        WriteFile(OutputArgument(), std::string(std::stoul(rest), 'p'));
    else if (command == "argv") {
        std::string all;
        for (const std::string& arg : g_args)
            all += arg + '\0';
        WriteFile(rest, all);
    } else if (command == "stdin")
        WriteFile(rest, StdinIsDevNull() ? "devnull" : "other");
    else if (command == "pid")
        WriteFile(rest, std::to_string(getpid()));
    else if (command == "touch")
        WriteFile(rest, "");
    else if (command == "waitfor") {
        while (access(rest.c_str(), F_OK) != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else if (command == "ignoreterm")
        std::signal(SIGTERM, SIG_IGN);
    else if (command == "signal") {
        const int number = std::stoi(rest);
        std::signal(number, SIG_DFL);
        std::raise(number);
    } else if (command == "exit")
        std::exit(std::stoi(rest));
}

} // namespace

int main(int argc, char** argv)
{
    g_args.assign(argv + 1, argv + argc);
    const char* script = std::getenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    if (script == nullptr)
        return 0;
    std::ifstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        const size_t blank = line.find(' ');
        Run(line.substr(0, blank), blank == std::string::npos ? "" : line.substr(blank + 1));
    }
    return 0;
}
