// Renders each dialog offscreen into <folder>/dialogs-*.png for the documentation.

#include "controls/messagebox.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// What genisoimage printed for one of the test DVD folders.
constexpr char SampleCapture[] =
    "I: -input-charset not specified, using utf-8 (detected in locale settings)\n"
    "The pad was 26 for file VIDEO_TS.IFO\n"
    "Total translation table size: 0\n"
    "Total rockridge attributes bytes: 0\n"
    "Total directory bytes: 2048\n"
    "Path table size(bytes): 26\n"
    "Max brk space used 0\n"
    "511 extents written (0 MB)\n";

class SilentBoxes : public MessageBoxPresenter
{
public:
    BoxAnswer Show(const MessageBoxRequest&) override { return BoxAnswer::Ok; }
};

// Offscreen windows have no frame, so a plain caption bar is drawn above the
// dialog to show its title.
QImage WithCaption(QDialog& dialog)
{
    const QPixmap body = dialog.grab();
    const int bar = 24;
    QImage image(body.width(), body.height() + bar, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, image.width(), bar, dialog.palette().color(QPalette::Highlight));
    QFont font = dialog.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(dialog.palette().color(QPalette::HighlightedText));
    painter.drawText(QRect(8, 0, image.width() - 16, bar), Qt::AlignLeft | Qt::AlignVCenter,
                     dialog.windowTitle());
    painter.drawPixmap(0, bar, body);
    return image;
}

bool Save(QDialog& dialog, const QString& folder, const QString& name)
{
    dialog.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(QStringLiteral("dialogs-%1.png").arg(name));
    const bool saved = WithCaption(dialog).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    dialog.hide();
    return saved;
}

bool WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The settings dialog as a first start shows it, then with a recorder chosen,
// then with xorriso recording into a pseudo-drive.
bool SaveSettingsShots(const QString& folder)
{
    QTemporaryDir programFolder;
    SilentBoxes boxes;
    SettingsDialog settings(boxes);
    settings.Settings().SetProgramFolder(programFolder.path());
    settings.Settings().MarkFirstTimeSetup();
    settings.PrepareOpening();
    bool saved = Save(settings, folder, QStringLiteral("settings-first-time"));

    const QByteArray recorder = ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.0.0.exe";
    WriteText(programFolder.filePath(QStringLiteral("stencil.ini")),
              "SplitImageFile = 1\nBurnImageFile = 1\nEraseMedia = 1\nDecrypterPath = " + recorder +
                  "\nDriveletter = E:\nCheckDirSize = 1\n");
    settings.PrepareOpening();
    saved = Save(settings, folder, QStringLiteral("settings")) && saved;

    // Only the name makes it the native recorder; it is never run here.
    const QString xorriso = programFolder.filePath(QStringLiteral("xorriso"));
    QFile::copy(QStringLiteral("/bin/true"), xorriso);
    WriteText(programFolder.filePath(QStringLiteral("stencil.ini")),
              "BurnImageFile = 1\nEraseMedia = 1\nDecrypterPath = " + xorriso.toUtf8() +
                  "\nDriveletter = stdio:/home/user/Videos/disc.iso\nCheckDirSize = 1\n");
    settings.PrepareOpening();
    return Save(settings, folder, QStringLiteral("settings-xorriso")) && saved;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = true;

    LogDialog log;
    log.SetLogText(QString::fromLatin1(SampleCapture).replace(u'\n', QStringLiteral("\r\n")));
    ok = Save(log, folder, QStringLiteral("log")) && ok;

    AboutDialog about;
    about.SetProgramFolder(QStringLiteral(ISOMINT_PROGRAM_DIR));
    about.Prepare();
    ok = Save(about, folder, QStringLiteral("about")) && ok;

    LicenseDialog license;
    license.SetProgramFolder(QStringLiteral(ISOMINT_PROGRAM_DIR));
    license.LoadLicenseText();
    ok = Save(license, folder, QStringLiteral("license")) && ok;

    ok = SaveSettingsShots(folder) && ok;
    return ok ? 0 : 1;
}
