// The program's main window in a process of its own, set up as the program
// sets it up, for tests that stop that process from outside:
//   window_host PROGRAM_FOLDER SOURCE OUTPUT idle|build|record
// It prints the capture file's path on a line of its own. "build" presses
// Image at once; "record" does so too and answers each box with OK, so that
// the recording which follows the build starts.
#include "app/maindialog.h"
#include "imaging/buildengine.h"
#include "platform/terminationsignals.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

void PressImage(MainDialog& window, const QString& output)
{
    window.findChild<QLineEdit*>(QStringLiteral("outputEdit"))->setText(output);
    window.findChild<QPushButton*>(QStringLiteral("imageButton"))->click();
}

} // namespace

int main(int argc, char* argv[])
{
    std::signal(SIGCHLD, SIG_DFL);
    QApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const QString mode = QString::fromLatin1(argv[4]);
    MainDialog window(QFile::decodeName(argv[1]));
    const TerminationSignals termination([&window](int) { window.Terminate(); });
    window.OpenFromCommandLine({QFile::decodeName(argv[2])});
    const QString output = QFile::decodeName(argv[3]);
    if (mode != QLatin1String("idle"))
        QTimer::singleShot(0, &window, [&window, output] { PressImage(window, output); });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, &app, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    if (mode == QLatin1String("record"))
        answer.start(50);
    std::printf("%s\n", QFile::encodeName(window.Engine().CaptureFilePath()).constData());
    std::fflush(stdout);
    window.exec();
    return 0;
}
