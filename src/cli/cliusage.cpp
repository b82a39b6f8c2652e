#include "cli/cliusage.h"

#include <QCoreApplication>

QString CliUsageText(const QString& settingsFile)
{
    return QCoreApplication::translate(
               "CliUsage",
               "Usage:\n"
               "  isomint-cli build SOURCE OUTPUT [--volume-id ID] [build options]\n"
               "  isomint-cli build SOURCE... --output-dir DIR [build options]\n"
               "  isomint-cli build --sources-from FILE [-0] --output-dir DIR [build options]\n"
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
               "Build options:\n"
               "--volume-id ID        the label (default: the source's name, with every\n"
               "                      character outside A-Z, 0-9 and _ made _)\n"
               "--split, --no-split   split the image into 1 GB chunks listed in a .lst file\n"
               "--size-check, --no-size-check\n"
               "                      ask before building a source too large for a\n"
               "                      single-layer DVD\n"
               "--checksum=sha256     write IMAGE.sha256 beside the image, for sha256sum -c\n"
               "--sources-from FILE   read the sources from FILE (- for standard input),\n"
               "                      one a line, or ended by NUL with -0\n"
               "--dry-run             print what the folder check would change and the\n"
               "                      builder's command line, and change nothing\n"
               "--yes, --no           the answer to every question; without them a question\n"
               "                      is asked on the terminal, or answered No when there\n"
               "                      is none\n"
               "Recording options:\n"
               "--record              build: record the image once it is built and checked\n"
               "--speed N             the recording speed (DVD x factor); fastest when not\n"
               "                      given\n"
               "--erase               erase a rewritable disc first, when needed\n"
               "--verify              read the disc back and compare it with the image\n"
               "--eject               eject the disc at the end\n"
               "Every command:\n"
               "--progress=MODE       auto (in place on a terminal, else a line per\n"
               "                      percent), lines, json (one object per line, and a\n"
               "                      result object at the end), or none\n"
               "-q, --quiet           the same as --progress=none\n"
               "--settings FILE       read the defaults from FILE\n"
               "--no-settings         read no settings file: split and size check off\n"
               "\n"
               "Split and size check default to the settings file\n"
               "%1,\n"
               "which is never written.\n"
               "\n"
               "Exit status: 0 success, 1 standard output could not be written, 2 wrong\n"
               "command line, 3 request refused or answered No, 4 build failed, 5 image\n"
               "check failed, 6 recording failed, 129 after SIGHUP, 130 after SIGINT,\n"
               "143 after SIGTERM (128 + the signal).\n")
        .arg(settingsFile);
}

QString CliVersionText()
{
    return QStringLiteral("isomint-cli " ISOMINT_VERSION_TEXT);
}
