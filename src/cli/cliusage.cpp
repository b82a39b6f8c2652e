#include "cli/cliusage.h"

QString CliUsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  isomint-cli build SOURCE OUTPUT [--volume-id ID] [--split] [--size-check]\n"
        "                    [--yes|--no] [--progress=auto|lines|json]\n"
        "  isomint-cli build SOURCE... --output-dir DIR [options as above]\n"
        "  isomint-cli check SOURCE\n"
        "  isomint-cli --help | --version\n"
        "\n"
        "build   checks and fixes the DVD-Video folder SOURCE (the one that holds\n"
        "        VIDEO_TS), builds the image OUTPUT with mkisofs and reads it back.\n"
        "        With --output-dir, each source becomes DIR/<Volume ID>.iso, one\n"
        "        after another; a failure does not stop the rest.\n"
        "check   reports what build would rename or create in SOURCE, and any\n"
        "        problem, without changing anything.\n"
        "\n"
        "--volume-id ID  the label (default: derived from the source's name)\n"
        "--split         split the image into 1 GB chunks listed in a .lst file\n"
        "--size-check    ask before building a source too large for a single-layer DVD\n"
        "--yes, --no     the answer to every question; without them a question is\n"
        "                asked on the terminal, or answered No when there is none\n"
        "--progress      auto (in place on a terminal, else a line per percent),\n"
        "                lines, or json (one object per line)\n"
        "\n"
        "Split and size check default to the settings in stencil.ini, which is\n"
        "never written.\n"
        "\n"
        "Exit status: 0 success, 2 wrong command line, 3 request refused or\n"
        "answered No, 4 build failed, 5 image check failed, 6 recording failed,\n"
        "130 after SIGINT, 143 after SIGTERM (128 + the signal).\n");
}

QString CliVersionText()
{
    return QStringLiteral("isomint-cli " ISOMINT_VERSION_TEXT);
}
