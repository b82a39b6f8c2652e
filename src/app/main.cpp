#include "app/maindialog.h"
#include "platform/programfolder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The window is the program: it runs modally, and when it is destroyed the
    // capture file goes with it.
    {
        MainDialog window(ExecutablePath());
        window.exec();
    }
    return 0;
}
