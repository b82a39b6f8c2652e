#include "app/maindialog.h"
#include "platform/displayreach.h"
#include "platform/programfolder.h"
#include "platform/programtranslations.h"
#include "platform/terminationsignals.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

constexpr char UsageText[] = QT_TRANSLATE_NOOP(
    "ProgramUsage", "Usage: isomint [SOURCE]\n"
                    "\n"
                    "Opens the Isomint Stencil window. SOURCE, a DVD-Video folder (the one that\n"
                    "holds VIDEO_TS, VIDEO_TS itself or a file in it), fills the Source Directory\n"
                    "and proposes the Volume ID.\n"
                    "\n"
                    "  --help     show this text and exit\n"
                    "  --version  show the version and exit\n"
                    "\n"
                    "To build, check or record without a window, use isomint-cli\n"
                    "(isomint-cli --help).\n");

// Answered before QApplication exists, so that neither needs a display.
bool AnsweredInformationRequest(int argc, char* argv[])
{
    if (argc < 2)
        return false;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        const QCoreApplication core(argc, argv);
        const ProgramTranslations translations(ProgramFolder());
        std::fputs(QCoreApplication::translate("ProgramUsage", UsageText).toUtf8().constData(),
                   stdout);
    } else if (std::strcmp(argv[1], "--version") == 0) {
        std::puts("isomint " ISOMINT_VERSION_TEXT);
    } else {
        return false;
    }
    return true;
}

constexpr char NoDisplayText[] =
    QT_TRANSLATE_NOOP("ProgramUsage", "No display could be opened. isomint-cli works without one.");

// Qt aborts with a core dump when it cannot open a display; one line that
// says so, and names the program that needs none, serves the user better.
bool ReportedMissingDisplay(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (DisplayReachable(arguments, QProcessEnvironment::systemEnvironment()))
        return false;
    const QCoreApplication core(argc, argv);
    const ProgramTranslations translations(ProgramFolder());
    std::fprintf(stderr, "isomint: %s\n",
                 QCoreApplication::translate("ProgramUsage", NoDisplayText).toUtf8().constData());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (AnsweredInformationRequest(argc, argv))
        return 0;
    if (ReportedMissingDisplay(argc, argv))
        return 1;
    // An ignored SIGCHLD, inherited from whoever started the program, would
    // make the kernel discard the image builder's exit status.
    std::signal(SIGCHLD, SIG_DFL);
    QApplication app(argc, argv);
    const ProgramTranslations translations(ProgramFolder());
    // Ties the window to its menu entry where the window class does not
    // (the app id on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("isomint-stencil"));
    // The window is the program: it runs modally, and when it is destroyed the
    // capture file goes with it.
    {
        MainDialog window(ProgramFolder());
        // Told to stop by the session, by kill or by Ctrl+C: end everything, then quit.
        const TerminationSignals termination([&window](int) { window.Terminate(); });
        window.OpenFromCommandLine(QCoreApplication::arguments().mid(1));
        window.exec();
    }
    return 0;
}
