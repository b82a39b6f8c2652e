// Stands in for the recorder (and for wine, under that name) in tests: writes
// its working folder and then its arguments, argv[0] included, each ended by
// a NUL, to the file named by ISOMINT_FAKE_RECORDER_LOG, then exits.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    const char* log = std::getenv("ISOMINT_FAKE_RECORDER_LOG");
    if (log == nullptr)
        return 2;
    char cwd[4096] = {};
    if (getcwd(cwd, sizeof cwd) == nullptr)
        return 3;
    std::string record = std::string(cwd) + '\0';
    for (int i = 0; i < argc; ++i)
        record += std::string(argv[i]) + '\0';
    // Renamed into place, so the test never reads half a record.
    const std::string temporary = std::string(log) + ".part";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << record;
    }
    return std::rename(temporary.c_str(), log) == 0 ? 0 : 4;
}
