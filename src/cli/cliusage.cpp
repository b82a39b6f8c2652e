#include "cli/cliusage.h"

#include <QCoreApplication>

QString CliUsageText()
{
    return QCoreApplication::translate(
        "CliUsage",
        "Usage:\n"
        "  isomint-cli build SOURCE OUTPUT [--volume-id ID] [--split] [--size-check]\n"
        "                    [--yes|--no] [--progress=auto|lines|json]\n"
        "  isomint-cli build SOURCE... --output-dir DIR [options as above]\n"
        "  isomint-cli build SOURCE OUTPUT --record --device DEV [recording options]\n"
        "  isomint-cli record IMAGE|LIST --device DEV [--speed N] [--erase] [--verify]\n"
        "                     [--eject]\n"
        "  isomint-cli check SOURCE\n"
        "  isomint-cli --help | --version\n"
        "\n"
        "build   checks and fixes the DVD-Video folder SOURCE (the one that holds\n"
        "        VIDEO_TS), builds the image OUTPUT with mkisofs and reads it back.\n"
        "        With --output-dir, each source becomes DIR/<Volume ID>.iso, one\n"
        "        after another; a failure does not stop the rest.\n"
        "check   reports what build would rename or create in SOURCE, and any\n"
        "        problem, without changing anything.\n"
        "record  reads the image IMAGE (or the chunks of the list LIST) back as a\n"
        "        DVD-Video and records it with xorriso to DEV: an optical drive such\n"
        "        as /dev/sr0, or stdio:PATH to record into a file.\n"
        "\n"
        "--volume-id ID  the label (default: derived from the source's name)\n"
        "--split         split the image into 1 GB chunks listed in a .lst file\n"
        "--size-check    ask before building a source too large for a single-layer DVD\n"
        "--yes, --no     the answer to every question; without them a question is\n"
        "                asked on the terminal, or answered No when there is none\n"
        "--record        build: record the image once it is built and checked\n"
        "--speed N       the recording speed (DVD x factor); fastest when not given\n"
        "--erase         erase a rewritable disc first, when needed\n"
        "--verify        read the disc back and compare it with the image\n"
        "--eject         eject the disc at the end\n"
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
