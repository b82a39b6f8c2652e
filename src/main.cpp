#include "app/maindialog.h"
#include "platform/programfolder.h"
#include "platform/terminationsignals.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // An ignored SIGCHLD, inherited from whoever started the program, would
    // make the kernel discard the image builder's exit status.
    std::signal(SIGCHLD, SIG_DFL);
    QApplication app(argc, argv);
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
