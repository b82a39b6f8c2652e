// Owns one build the way the program does, without a window, for tests that
// stop the process that owns the build:
//   build_host PROGRAM_FOLDER SOURCE OUTPUT EXIT_FILE
// It starts the build at once and prints the capture file's path on a line of
// its own. It quits when the build ends, or when told to stop by SIGTERM or
// SIGHUP or SIGINT, as the program does; once EXIT_FILE appears it calls exit(1) in the
// middle of things, as Qt does when the display connection breaks.
#include "fakes/scripteddecisions.h"
#include "imaging/buildengine.h"
#include "platform/exitguard.h"
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    std::signal(SIGCHLD, SIG_DFL);
    QCoreApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const QString folder = QFile::decodeName(argv[1]);
    const QString exitFile = QFile::decodeName(argv[4]);
    ScriptedDecisions decisions;
    BuildEngine engine;
    engine.SetProgramFolder(folder);
    const TerminationSignals termination([](int) {
        ExitGuard::EndAll(std::chrono::milliseconds(500));
        QCoreApplication::exit(0);
    });
    QObject::connect(&engine, &BuildEngine::Finished, &app, &QCoreApplication::quit);
    QTimer exitWatch;
    QObject::connect(&exitWatch, &QTimer::timeout, &app, [&exitFile] {
        if (QFile::exists(exitFile))
            std::exit(1);
    });
    exitWatch.start(10);

    const BuildRequest request{QFile::decodeName(argv[2]), QFile::decodeName(argv[3]),
                               QStringLiteral("HOST")};
    if (engine.Start(request, decisions).refusal)
        return 3;
    std::printf("%s\n", QFile::encodeName(engine.CaptureFilePath()).constData());
    std::fflush(stdout);
    return app.exec();
}
