#include "app/qtmessagebox.h"
#include "imaging/companionfiles.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QDialog window;
    window.setWindowTitle(QStringLiteral("Isomint Stencil " ISOMINT_VERSION_TEXT));
    window.resize(480, 240);
    QtMessageBox boxes(&window);

    // The companion check runs once the window is up, so its message shows over it.
    QTimer::singleShot(0, &window, [&boxes] { CheckCompanionFiles(ProgramFolder(), boxes); });
    window.exec();
    return 0;
}
