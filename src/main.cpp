#include "app/maindialog.h"
#include "imaging/buildengine.h"
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
        // Told to stop by the session or by kill: end the build, then quit as usual.
        const TerminationSignals termination([&window](int) {
            window.Engine().AbortAndWait();
            QCoreApplication::exit(0);
        });
        window.OpenFromCommandLine(QCoreApplication::arguments().mid(1));
        window.exec();
    }
    return 0;
}
