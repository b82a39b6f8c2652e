#include "burn/decrypterburn.h"
#include "burn/recordingchoices.h"
#include "burn/windowsarguments.h"

#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <utility>

namespace {

DecrypterCall ExampleCall()
{
    DecrypterCall call;
    call.decrypterPath = QStringLiteral("C:\\Tools\\Decrypter.exe");
    call.erase = true;
    call.verify = true;
    call.version = QStringLiteral("3.2.3.0");
    call.speedText = QStringLiteral("8x");
    call.source = QStringLiteral("D:\\out\\movie.iso");
    call.drive = QStringLiteral("E:");
    return call;
}

// Each switch as the call asks; verify's value and the speed only above 3.2.2.0.
// A plain Windows path goes between the quotes untouched.
TEST(DecrypterCommandLineTest, SwitchesFollowTheCallAndTheVersion)
{
    struct Row
    {
        bool erase, verify, shutdown;
        const char* version;
        const char* speed;
        const char* drive;
        const char* switches;
    };
    const Row rows[] = {
        {true, true, false, "3.2.3.0", "8x", "E:", "/ERASE /VERIFY YES /SPEED 8x "},
        {false, false, false, "3.2.2.0", "8x", "E:", ""},
        {false, false, false, "3.2.2.0", "8x", "", ""},
        {false, true, false, "3.2.2.1", "8x", "E:", "/VERIFY YES /SPEED 8x "},
        {false, true, false, "3.2.2.0", "8x", "E:", "/VERIFY "},
        {false, false, false, "3.2.2.1", "8x", "E:", "/VERIFY NO /SPEED 8x "},
        {false, true, false, "", "8x", "E:", "/VERIFY "},
        {false, false, false, "10.0.0.0", "8x", "E:", "/VERIFY NO /SPEED 8x "},
        {true, true, true, "3.2.3.0", "", "E:", "/ERASE /VERIFY YES /SHUTDOWN "}, // no speed chosen
    };
    for (const Row& row : rows) {
        DecrypterCall call = ExampleCall();
        call.erase = row.erase;
        call.verify = row.verify;
        call.shutdown = row.shutdown;
        call.version = QLatin1String(row.version);
        call.speedText = QLatin1String(row.speed);
        call.drive = QLatin1String(row.drive);
        EXPECT_EQ(FormDecrypterCommandLine(call),
                  R"(C:\Tools\Decrypter.exe /MODE ISOWRITE /START )" + QLatin1String(row.switches) +
                      R"( /SRC "D:\out\movie.iso" /DEST )" + call.drive)
            << row.switches << " " << row.version;
    }
}

// The path is the program, taken whole; the rest is split by the Windows rules,
// so a source with a quote or trailing backslashes still arrives whole. A
// Windows program runs under wine, or not at all.
TEST(DecrypterStartTest, PathStaysWholeTheRestFollowsWindowsRulesAndWineRunsAnExe)
{
    struct Row
    {
        const char* path;
        QString source;
        const char* drive;
        const char* wine;
        const char* program; // null: nothing starts
    };
    const Row rows[] = {
        {"/opt/dvd tools/decrypter", R"(/images/say "cheese".iso)", "E:", "",
         "/opt/dvd tools/decrypter"},
        {"/opt/rec/DVDDecrypter.exe", R"(/images/ends in two\\)", "E:", "/usr/bin/wine",
         "/usr/bin/wine"},
        {"/win/DVD Decrypter/DVDDecrypter.EXE", QString(), "", "/usr/bin/wine", "/usr/bin/wine"},
        {"/win/DVDDecrypter.exe", "movie.iso", "E:", "", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        DecrypterCall call = ExampleCall();
        call.decrypterPath = QLatin1String(row.path);
        call.speedText = QStringLiteral("2,4x");
        call.source = row.source;
        call.drive = QLatin1String(row.drive);
        const DecrypterStart start = DecrypterStartFor(call, QLatin1String(row.wine));
        QStringList expected;
        if (row.program != nullptr) {
            if (QLatin1String(row.program) != call.decrypterPath)
                expected << call.decrypterPath;
            expected << QStringLiteral("/MODE ISOWRITE /START /ERASE /VERIFY YES /SPEED 2,4x /SRC")
                            .split(' ')
                     << row.source << "/DEST";
            if (!call.drive.isEmpty())
                expected << call.drive;
        }
        EXPECT_EQ(start.program, QLatin1String(row.program));
        EXPECT_EQ(start.arguments, expected);
    }
}

// Line, then arguments: the Microsoft C runtime's documented examples first.
TEST(WindowsArgumentsTest, SplitsLikeTheMicrosoftRuntime)
{
    const std::pair<QString, QStringList> examples[] = {
        {R"("a b c" d e)", {"a b c", "d", "e"}},
        {R"("ab\"c" "\\" d)", {R"(ab"c)", "\\", "d"}},
        {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
        {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}},
        {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}},
        {R"(a"b"" c d)", {R"(ab" c d)"}},
        {" a  b\tc ", {"a", "b", "c"}},
        {R"("a b" x"y z"w)", {"a b", "xy zw"}},
        {R"("")", {""}},
        {R"(a\\b \"q)", {R"(a\\b)", R"("q)"}},
        {R"("C:\dir\\" next)", {R"(C:\dir\)", "next"}},
        {R"("C:\dir\" next)", {R"(C:\dir" next)"}},
        {R"("a""b" c)", {R"(a"b)", "c"}},
        {"   ", {}},
    };
    for (const auto& [line, arguments] : examples)
        EXPECT_EQ(SplitWindowsArguments(line), arguments) << line.toStdString();
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
        qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_folder.File("record")));
        m_settings.SetProgramFolder(m_folder.Path());
    }
    void TearDown() override
    {
        qputenv("PATH", m_path);
        qunsetenv("ISOMINT_FAKE_RECORDER_LOG");
    }

    // The recorder, named with blanks and an upper-case extension.
    QString Recorder(const char* version)
    {
        QString path = m_folder.File("DVD Decrypter.EXE");
        QFile::remove(path);
        QFile::copy(QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-%1.exe").arg(version), path);
        return path;
    }

    // What the stand-in was started with; empty when nothing started.
    QStringList Record(bool started)
    {
        const QString path = m_folder.File("record");
        for (int i = 0; i < (started ? 1000 : 20) && !QFile::exists(path); ++i)
            QThread::msleep(10);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList fields;
        for (const QByteArray& field : file.readAll().split('\0'))
            fields << QFile::decodeName(field);
        fields.removeLast(); // after the last NUL
        file.remove();
        return fields;
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ProgramSettings m_settings;
    QByteArray m_path;
};

// The version gates need the recorder's version read first: a speed only
// above 3.2.2.0, no start at all for a recorder too old, with a notice.
TEST_F(DecrypterBurnTest, EveryChoiceReachesTheRecorderAsTheSettingsAndVersionAllow)
{
    struct Row
    {
        const char* name;
        const char* version;
        int split, burn;
        bool wine;
        const char* switches; // after /START
        const char* source;   // null: nothing starts
        qsizetype notices;
    };
    const RecordingChoices choices{true, true, QStringLiteral("8x")};
    const Row rows[] = {
        {"split, every choice", "3.2.2.1", 1, 1, true, "/ERASE /VERIFY YES /SHUTDOWN /SPEED 8x",
         "out/movie.lst", 0},
        {"no speed at 3.2.2.0", "3.2.2.0", 0, 1, true, "/ERASE /VERIFY /SHUTDOWN", "out/movie.iso",
         0},
        {"recording off", "3.2.2.1", 0, 2, true, "", nullptr, 0},
        {"no wine", "3.2.2.1", 0, 1, false, "", nullptr, 0},
        {"too old", "3.1.6.0", 0, 1, true, "", nullptr, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString recorder = Recorder(row.version);
        m_folder.WriteSettings(row.split, row.burn, 1, recorder, "e:", 0);
        qputenv("PATH", QFile::encodeName(m_folder.File(row.wine ? "bin" : "empty")));
        DecrypterBurn(m_settings, choices, m_folder.File("out/movie.iso"));
        QStringList expected;
        if (row.source != nullptr)
            expected << QDir::currentPath() << m_folder.File("bin/wine") << recorder
                     << QStringLiteral("/MODE ISOWRITE /START %1 /SRC").arg(row.switches).split(' ')
                     << m_folder.File(row.source) << QStringLiteral("/DEST")
                     << QStringLiteral("E:");
        EXPECT_EQ(Record(row.source != nullptr), expected);
        EXPECT_EQ(m_settings.TakeNotices().size(), row.notices);
    }
}

} // namespace
