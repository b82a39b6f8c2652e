// The program's window in a process of its own, on a display of its own, is
// stopped at each moment a session may stop it: by SIGTERM, SIGHUP or SIGINT,
// or by losing the display, where Qt ends it with exit(). It must quit, with
// nothing it started still running and without its capture file; what an
// unfinished build wrote goes too, while a finished image stays.
#include "app/apptesthelpers.h"
#include "fakes/testprogramfolder.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFixture = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset");
constexpr int kLostDisplay = 0; // in place of a signal: the display server is ended

struct Moment
{
    const char* name;
    const char* mode; // the host's: idle, build or record
    int stop;         // a signal, or kLostDisplay
    bool imageStays;  // a complete image is the user's
};

class ProgramTerminationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        m_xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_xvfb.isEmpty() || m_xorriso.isEmpty())
            GTEST_SKIP() << "needs Xvfb and xorriso";
        ASSERT_TRUE(TestProgramFolder::CopyTree(kFixture, m_folder.File("dvd")));
        // A wrapper that does not exec: the real xorriso is its child.
        QDir(m_folder.Path()).mkdir(QStringLiteral("bin"));
        WriteScript("bin/xorriso", "echo \"$*\" >>'" + m_folder.File("calls") + "'\necho $$ >'" +
                                       m_folder.File("wrapper") +
                                       "'\nsh -c 'echo $$ >\"$0\"; exec \"$@\"' '" +
                                       m_folder.File("inner") + "' '" + m_xorriso + "' \"$@\"\n");
        // A pipe nobody drains holds the recorder mid-write.
        m_fifo = m_folder.File("fifo");
        ASSERT_EQ(mkfifo(QFile::encodeName(m_fifo).constData(), 0600), 0);
        m_reader = ::open(QFile::encodeName(m_fifo).constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(m_reader, 0);
    }

    void TearDown() override
    {
        if (m_reader >= 0)
            ::close(m_reader);
        for (QProcess* process : {&m_host, &m_display}) {
            process->kill();
            process->waitForFinished();
        }
    }

    void WriteScript(const QString& name, const QString& text)
    {
        QFile::remove(m_folder.File(name));
        QFile script(m_folder.File(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QFile::encodeName("#!/bin/sh\n" + text));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Xvfb chooses a free display and names it on its standard output.
    QString StartDisplay()
    {
        m_display.start(m_xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_display.waitForReadyRead(20000))
            return QString();
        return QLatin1Char(':') + QString::fromLatin1(m_display.readLine().trimmed());
    }

    void StartHost(const Moment& moment)
    {
        for (const char* name : {"builder", "built", "wrapper", "inner", "calls", "movie.iso"})
            QFile::remove(m_folder.File(QString::fromLatin1(name)));
        const QString genisoimage = QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs");
        // The real builder; unless the image is to stay, held once it has written it all.
        WriteScript("mkisofs", moment.imageStays
                                   ? "exec '" + genisoimage + "' \"$@\"\n"
                                   : "echo $$ >'" + m_folder.File("builder") + "'\n'" +
                                         genisoimage + "' \"$@\" || exit $?\n: >'" +
                                         m_folder.File("built") + "'\nsleep 600\n");
        char drain[65536];
        while (::read(m_reader, drain, sizeof drain) > 0) {
        }
        // Recording is always on: a build that is stopped, even at its box, records nothing.
        m_folder.WriteSettings(0, 1, 0, m_folder.File("bin/xorriso"), "stdio:" + m_fifo, 0);
        const QString display = StartDisplay();
        ASSERT_FALSE(display.isEmpty());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("TEMP"), m_folder.File("tmp"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.File("config"));
        QDir().mkpath(m_folder.File("tmp"));
        m_host.setProcessEnvironment(environment);
        m_host.start(
            QStringLiteral(ISOMINT_WINDOW_HOST),
            {m_folder.Path(), m_folder.File("dvd"), Image(), QString::fromLatin1(moment.mode)});
        ASSERT_TRUE(m_host.waitForReadyRead(20000));
        m_capture = QFile::decodeName(m_host.readLine().trimmed());
        ASSERT_TRUE(QFile::exists(m_capture)) << m_capture.toStdString();
    }

    // Until the moment has come: the build held with its image written, the
    // build's box up over a complete image, or xorriso writing into the pipe.
    bool Reached(const Moment& moment)
    {
        const QString mode = QString::fromLatin1(moment.mode);
        if (mode == QLatin1String("idle"))
            return true;
        if (mode == QLatin1String("record"))
            return RunUntil(
                [this] { return Buffered() > 0 && ReadPid(m_folder.File("inner")) > 0; }, 60000);
        if (moment.imageStays)
            return RunUntil([this] { return Capture().contains("Image check: "); }, 60000);
        return RunUntil([this] { return QFile::exists(m_folder.File("built")); }, 60000);
    }

    int Buffered() const
    {
        int bytes = 0;
        return ::ioctl(m_reader, FIONREAD, &bytes) == 0 ? bytes : 0;
    }

    QByteArray Capture() const
    {
        QFile file(m_capture);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString Image() const { return m_folder.File("movie.iso"); }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs")};
    QString m_xvfb;
    QString m_xorriso;
    QString m_fifo;
    int m_reader = -1;
    QProcess m_display;
    QProcess m_host;
    QString m_capture;
};

TEST_F(ProgramTerminationTest, StoppedAtAnyMomentItQuitsAndLeavesNothingBehind)
{
    const Moment moments[] = {
        {"idle", "idle", SIGHUP, false},
        {"building", "build", SIGINT, false},
        {"the build's box up", "build", SIGTERM, true},
        {"recording", "record", SIGTERM, true},
        {"building", "build", kLostDisplay, false},
        {"recording", "record", kLostDisplay, true},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(std::string(moment.name) + " / " +
                     (moment.stop == kLostDisplay ? "display lost" : strsignal(moment.stop)));
        StartHost(moment);
        ASSERT_TRUE(Reached(moment)) << Capture().toStdString();
        const qint64 pids[] = {ReadPid(m_folder.File("builder")), ReadPid(m_folder.File("wrapper")),
                               ReadPid(m_folder.File("inner"))};
        if (moment.stop == kLostDisplay)
            m_display.terminate();
        else
            ::kill(static_cast<pid_t>(m_host.processId()), moment.stop);

        ASSERT_TRUE(m_host.waitForFinished(10000));
        EXPECT_EQ(m_host.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_host.exitCode(), moment.stop == kLostDisplay ? 1 : 0);
        for (const qint64 pid : pids)
            EXPECT_FALSE(ProcessRunning(pid)) << pid;
        EXPECT_FALSE(QFile::exists(m_capture));
        EXPECT_EQ(QFile::exists(Image()), moment.imageStays);
        EXPECT_FALSE(QFile::exists(Image() + QStringLiteral(".lock")));
        QFile calls(m_folder.File("calls")); // absent when xorriso was never called
        const bool recorded =
            calls.open(QIODevice::ReadOnly) && calls.readAll().contains("cdrecord");
        EXPECT_EQ(recorded, qstrcmp(moment.mode, "record") == 0);
        m_display.terminate();
        m_display.waitForFinished();
    }
}

} // namespace
