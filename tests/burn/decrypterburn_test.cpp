#include "burn/decrypterburn.h"
#include "burn/windowsarguments.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/scriptedmessagebox.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

DecrypterCall ExampleCall()
{
    DecrypterCall call;
    call.decrypterPath = QStringLiteral("C:\\Tools\\Decrypter.exe");
    call.erase = true;
    call.verify = 1;
    call.version = QStringLiteral("3.2.3.0");
    call.speedText = QStringLiteral("8x");
    call.source = QStringLiteral("D:\\out\\movie.iso");
    call.drive = QStringLiteral("E:");
    return call;
}

TEST(DecrypterCommandLineTest, ExampleLineAndNoSwitchAtAll)
{
    EXPECT_EQ(FormDecrypterCommandLine(ExampleCall()),
              "C:\\Tools\\Decrypter.exe /MODE ISOWRITE /START /ERASE /VERIFY YES /SPEED 8x  /SRC "
              "\"D:\\out\\movie.iso\" /DEST E:");
    DecrypterCall bare = ExampleCall();
    bare.erase = false;
    bare.verify = 0;
    bare.version = QStringLiteral("3.2.2.0");
    EXPECT_EQ(
        FormDecrypterCommandLine(bare),
        "C:\\Tools\\Decrypter.exe /MODE ISOWRITE /START  /SRC \"D:\\out\\movie.iso\" /DEST E:");
    bare.drive.clear();
    EXPECT_EQ(FormDecrypterCommandLine(bare),
              "C:\\Tools\\Decrypter.exe /MODE ISOWRITE /START  /SRC \"D:\\out\\movie.iso\" /DEST ");
}

TEST(DecrypterCommandLineTest, VerifyRowsShutdownAndTheSpeedOnlyAbove3220)
{
    struct Row
    {
        int verify;
        const char* version;
        const char* switches;
    };
    const Row rows[] = {
        {1, "3.2.2.1", "/VERIFY YES /SPEED 8x "},
        {1, "3.2.2.0", "/VERIFY "},
        {0, "3.2.2.1", "/VERIFY NO /SPEED 8x "},
        {0, "3.2.2.0", ""},
        {1, "", "/VERIFY "},
        {0, "10.0.0.0", "/VERIFY NO /SPEED 8x "},
    };
    for (const Row& row : rows) {
        DecrypterCall call = ExampleCall();
        call.erase = false;
        call.verify = row.verify;
        call.version = QLatin1String(row.version);
        EXPECT_EQ(FormDecrypterCommandLine(call),
                  "C:\\Tools\\Decrypter.exe /MODE ISOWRITE /START " + QLatin1String(row.switches) +
                      " /SRC \"D:\\out\\movie.iso\" /DEST E:")
            << row.verify << " " << row.version;
    }
    DecrypterCall call = ExampleCall();
    call.shutdown = 1;
    call.speedText.clear(); // no item selected: no speed switch
    EXPECT_EQ(FormDecrypterCommandLine(call),
              "C:\\Tools\\Decrypter.exe /MODE ISOWRITE /START /ERASE /VERIFY YES /SHUTDOWN  /SRC "
              "\"D:\\out\\movie.iso\" /DEST E:");
}

TEST(DecrypterStartTest, PathStaysWholeAndTheRestFollowsWindowsRules)
{
    DecrypterCall call = ExampleCall();
    call.decrypterPath = QStringLiteral("/opt/dvd tools/decrypter");
    call.speedText = QStringLiteral("2,4x");
    call.source = QStringLiteral("/images/my movie.iso");
    const DecrypterStart start = DecrypterStartFor(call, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(start.program, "/opt/dvd tools/decrypter");
    EXPECT_EQ(start.arguments,
              QStringList({"/MODE", "ISOWRITE", "/START", "/ERASE", "/VERIFY", "YES", "/SPEED",
                           "2,4x", "/SRC", "/images/my movie.iso", "/DEST", "E:"}));
    call.drive.clear();
    EXPECT_EQ(DecrypterStartFor(call, {}).arguments.last(), "/DEST");
}

TEST(DecrypterStartTest, AWindowsProgramRunsUnderWineOrNotAtAll)
{
    DecrypterCall call = ExampleCall();
    call.decrypterPath = QStringLiteral("/win/DVD Decrypter/DVDDecrypter.EXE");
    const DecrypterStart start = DecrypterStartFor(call, QStringLiteral("/usr/bin/wine"));
    EXPECT_EQ(start.program, "/usr/bin/wine");
    EXPECT_EQ(start.arguments.first(), "/win/DVD Decrypter/DVDDecrypter.EXE");
    EXPECT_EQ(start.arguments.at(1), "/MODE");
    EXPECT_TRUE(DecrypterStartFor(call, QString()).program.isEmpty());
}

TEST(WindowsArgumentsTest, SplitsLikeTheMicrosoftRuntime)
{
    EXPECT_EQ(SplitWindowsArguments(" a  b\tc "), QStringList({"a", "b", "c"}));
    EXPECT_EQ(SplitWindowsArguments("\"a b\" x\"y z\"w"), QStringList({"a b", "xy zw"}));
    EXPECT_EQ(SplitWindowsArguments("\"\""), QStringList({""}));
    EXPECT_EQ(SplitWindowsArguments("a\\\\b \\\"q"), QStringList({"a\\\\b", "\"q"}));
    EXPECT_EQ(SplitWindowsArguments("\"C:\\dir\\\\\" next"), QStringList({"C:\\dir\\", "next"}));
    EXPECT_EQ(SplitWindowsArguments("\"C:\\dir\\\" next"), QStringList({"C:\\dir\" next"}));
    EXPECT_EQ(SplitWindowsArguments("\"a\"\"b\" c"), QStringList({"a\"b", "c"}));
    EXPECT_EQ(SplitWindowsArguments("   "), QStringList());
}

// The examples Microsoft documents for its C runtime: line, then arguments.
TEST(WindowsArgumentsTest, SplitsMicrosoftsDocumentedExamples)
{
    const std::pair<const char*, std::vector<const char*>> examples[] = {
        {"\"a b c\" d e", {"a b c", "d", "e"}},
        {"\"ab\\\"c\" \"\\\\\" d", {"ab\"c", "\\", "d"}},
        {"a\\\\\\b d\"e f\"g h", {"a\\\\\\b", "de fg", "h"}},
        {"a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
        {"a\\\\\\\\\"b c\" d e", {"a\\\\b c", "d", "e"}},
        {"a\"b\"\" c d", {"ab\" c d"}},
    };
    for (const auto& [line, arguments] : examples) {
        QStringList expected;
        for (const char* argument : arguments)
            expected << QString::fromUtf8(argument);
        EXPECT_EQ(SplitWindowsArguments(QString::fromUtf8(line)), expected) << line;
    }
}

// Every argument list the recorder receives for a source, through the rules above.
QStringList RecorderArguments(const QString& source)
{
    DecrypterCall call = ExampleCall();
    call.decrypterPath = QStringLiteral("/opt/rec/DVDDecrypter.exe");
    call.source = source;
    return DecrypterStartFor(call, QStringLiteral("/usr/bin/wine")).arguments;
}

QStringList ExpectedArguments(const QString& source)
{
    QStringList arguments = QStringLiteral("/opt/rec/DVDDecrypter.exe /MODE ISOWRITE /START "
                                           "/ERASE /VERIFY YES /SPEED 8x /SRC")
                                .split(QLatin1Char(' '));
    return arguments << source << QStringLiteral("/DEST") << QStringLiteral("E:");
}

TEST(DecrypterStartTest, SourceWithQuotesOrTrailingBackslashesArrivesWhole)
{
    const QString sources[] = {
        QStringLiteral("/images/say \"cheese\".iso"),
        QStringLiteral("/images/ends in\\"),
        QStringLiteral("/images/ends in two\\\\"),
        QStringLiteral("/a\\\"b/c\\\\\"d.iso"), // runs of backslashes before a quote
        QStringLiteral("C:\\dir\\movie.iso"),
        QStringLiteral("\t lead and trail \t"),
        QStringLiteral("\""),
        QString(),
    };
    for (const QString& source : sources)
        EXPECT_EQ(RecorderArguments(source), ExpectedArguments(source)) << source.toStdString();

    // A plain path is not touched, so the line is as it always was.
    DecrypterCall call = ExampleCall();
    EXPECT_TRUE(FormDecrypterCommandLine(call).contains(
        QStringLiteral(" /SRC \"D:\\out\\movie.iso\" /DEST ")));
    call.source = QStringLiteral("D:\\out\\a\"b\\");
    EXPECT_TRUE(FormDecrypterCommandLine(call).contains(
        QStringLiteral(" /SRC \"D:\\out\\a\\\"b\\\\\" /DEST ")));
}

// Every text of up to six characters made of the characters that matter.
TEST(WindowsArgumentsTest, EscapedTextRoundTripsForEveryShortMixOfQuotesAndBackslashes)
{
    const QString alphabet = QStringLiteral("a\\\" \t");
    QStringList texts{QString()};
    int failures = 0;
    for (int length = 1; length <= 6; ++length) {
        QStringList longer;
        for (const QString& text : std::as_const(texts)) {
            for (const QChar c : alphabet)
                longer << text + c;
        }
        for (const QString& text : std::as_const(longer)) {
            const QString line =
                QStringLiteral("x \"") + EscapeInsideWindowsQuotes(text) + QStringLiteral("\" y");
            if (SplitWindowsArguments(line) !=
                QStringList({QStringLiteral("x"), text, QStringLiteral("y")}))
                ++failures;
        }
        texts = longer;
    }
    EXPECT_EQ(failures, 0);
}

// The launch itself, with the settings file, a real recorder executable with
// its version, and the stand-in playing wine.
class DecrypterBurnTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = qgetenv("PATH");
        QDir(m_folder.Path()).mkdir("bin");
        QFile::link(ISOMINT_FAKE_RECORDER, m_folder.File("bin/wine"));
        qputenv("PATH", QFile::encodeName(m_folder.File("bin")));
        qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_folder.File("record")));
        m_settings.SetProgramFolder(m_folder.Path());
        m_window.speedText = QStringLiteral("8x");
    }
    void TearDown() override
    {
        qputenv("PATH", m_path);
        qunsetenv("ISOMINT_FAKE_RECORDER_LOG");
    }

    // The recorder, named with blanks and an upper-case extension.
    QString Recorder(const char* version)
    {
        const QString path = m_folder.File("DVD Decrypter.EXE");
        QFile::remove(path);
        QFile::copy(QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-%1.exe").arg(version), path);
        return path;
    }

    QStringList Record()
    {
        const QString path = m_folder.File("record");
        for (int i = 0; i < 1000 && !QFile::exists(path); ++i)
            QThread::msleep(10);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList fields;
        for (const QByteArray& field : file.readAll().split('\0'))
            fields << QFile::decodeName(field);
        fields.removeLast(); // after the last NUL
        return fields;
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
    FakeBuildWindow m_window{m_boxes};
    ProgramSettings m_settings{m_boxes};
    QByteArray m_path;
};

TEST_F(DecrypterBurnTest, SplitImageNamesTheListAndEveryChoiceReachesTheRecorder)
{
    const QString recorder = Recorder("3.2.2.1");
    m_folder.WriteSettings(1, 1, 1, recorder, "e:", 0);
    m_window.verify = 1;
    m_window.shutdown = 1;
    DecrypterBurn(m_settings, m_window, m_folder.File("out/movie.iso"));
    EXPECT_EQ(Record(),
              QStringList({QDir::currentPath(), m_folder.File("bin/wine"), recorder, "/MODE",
                           "ISOWRITE", "/START", "/ERASE", "/VERIFY", "YES", "/SHUTDOWN", "/SPEED",
                           "8x", "/SRC", m_folder.File("out/movie.lst"), "/DEST", "E:"}));
    EXPECT_EQ(m_window.speedReads, 1);
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(DecrypterBurnTest, SpeedIsNotEvenReadAtOrBelow3220)
{
    const QString recorder = Recorder("3.2.2.0");
    m_folder.WriteSettings(0, 1, 0, recorder, "E:", 0);
    DecrypterBurn(m_settings, m_window, m_folder.File("movie.iso"));
    EXPECT_EQ(Record(), QStringList({QDir::currentPath(), m_folder.File("bin/wine"), recorder,
                                     "/MODE", "ISOWRITE", "/START", "/SRC",
                                     m_folder.File("movie.iso"), "/DEST", "E:"}));
    EXPECT_EQ(m_window.speedReads, 0);
}

TEST_F(DecrypterBurnTest, NothingStartsWhenRecordingIsOffOrWineIsMissing)
{
    const QString recorder = Recorder("3.2.2.1");
    m_folder.WriteSettings(0, 2, 0, recorder, "E:", 0);
    DecrypterBurn(m_settings, m_window, m_folder.File("movie.iso"));
    m_folder.WriteSettings(0, 1, 0, recorder, "E:", 0);
    qputenv("PATH", QFile::encodeName(m_folder.File("empty")));
    DecrypterBurn(m_settings, m_window, m_folder.File("movie.iso"));
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(m_folder.File("record")));
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(DecrypterBurnTest, ATooOldRecorderIsToldAndNotStarted)
{
    m_folder.WriteSettings(0, 1, 0, Recorder("3.1.6.0"), "E:", 0);
    DecrypterBurn(m_settings, m_window, m_folder.File("movie.iso"));
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(m_folder.File("record")));
    EXPECT_EQ(m_boxes.Count(), 1);
}

} // namespace
