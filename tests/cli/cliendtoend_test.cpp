#include "fakes/testprogramfolder.h"
#include "support/discreader.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct CliOutput
{
    int status = -1;
    QString out;
    QString err;
};

// isomint-cli copied into a program folder of its own, beside a mkisofs link
// to the real genisoimage and the folder's own stencil.ini, so that no other
// test's settings reach it. Standard input is a pipe: no terminal.
class CliEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(ISOMINT_PROGRAM_DIR "/isomint-cli", Cli()));
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    }

    QString Cli() const { return m_folder.File("isomint-cli"); }
    QString File(const QString& name) const { return m_folder.File(name); }

    // A copy of a committed fixture, which the folder check may change.
    QString Source(const QString& name, const QString& fixture = "one-titleset") const
    {
        QString path = File(name);
        EXPECT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/" + fixture, path));
        return path;
    }

    void Start(QProcess& cli, const QStringList& arguments) const
    {
        cli.setWorkingDirectory(m_folder.Path());
        cli.start(Cli(), arguments);
        cli.closeWriteChannel();
    }

    CliOutput
    Run(const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) const
    {
        QProcess cli;
        cli.setProcessEnvironment(environment);
        Start(cli, arguments);
        EXPECT_TRUE(cli.waitForFinished(120000));
        return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
                QString::fromUtf8(cli.readAllStandardOutput()),
                QString::fromUtf8(cli.readAllStandardError())};
    }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Every name below a folder, for "changes nothing".
    static QStringList Tree(const QString& root)
    {
        QStringList names;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            names << it.next();
        names.sort();
        return names;
    }

    // What the real sha256sum says of a checksum file, run in its folder as a user would.
    QString Sha256SumCheck(const QString& list) const
    {
        QProcess check;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C");
        check.setProcessEnvironment(environment);
        check.setWorkingDirectory(m_folder.Path());
        check.start("sha256sum", {"--check", "--strict", list});
        EXPECT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
        return QString::fromUtf8(check.readAllStandardOutput());
    }

    // "NAME: OK", as sha256sum confirms each of the image's files.
    static QString ImageFilesOk(const QStringList& written)
    {
        QString lines;
        for (const QString& name : written.filter(QRegularExpression(R"(\.iso(_\d\d)?$)")))
            lines += name + ": OK\n";
        return lines;
    }

    TestProgramFolder m_folder{QStringLiteral("/usr/bin/genisoimage")};
};

// Every line of a --progress=json run's standard output is one object, a
// progress or a result; the results, in order.
QList<QJsonObject> ResultObjects(const QString& out)
{
    QList<QJsonObject> results;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
        const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8());
        const QString event = document.object().value("event").toString();
        EXPECT_TRUE(document.isObject() && (event == "progress" || event == "result"))
            << line.toStdString();
        if (event == "result")
            results << document.object();
    }
    return results;
}

// A result object says what standard error said, and names only files there are.
void ExpectResult(const QJsonObject& result, int status, const char* outcome, const QString& err)
{
    EXPECT_EQ(result.value("status").toInt(-1), status);
    EXPECT_EQ(result.value("outcome").toString(), outcome);
    const QString message = result.value("message").toString();
    EXPECT_FALSE(message.isEmpty());
    for (const QString& line : message.split('\n'))
        EXPECT_TRUE(err.contains(line)) << line.toStdString();
    qint64 bytes = 0;
    for (const QJsonValue& part : result.value("parts").toArray()) {
        EXPECT_TRUE(QFileInfo(part.toString()).isAbsolute() && QFile::exists(part.toString()))
            << part.toString().toStdString();
        bytes += QFileInfo(part.toString()).size();
    }
    if (result.contains("bytes")) {
        EXPECT_EQ(result.value("bytes").toInteger(-1),
                  result.value("parts").toArray().isEmpty() ? -1 : bytes);
    }
}

struct StatusCase
{
    const char* name;
    QStringList arguments; // "SRC" is replaced by a fresh copy of the fixture
    int status;
    QString message; // on standard error
    QStringList written;
    const char* outcome; // the result object's with --progress=json; null: none
};

TEST_F(CliEndToEndTest, EachOutcomeHasItsStatusItsMessageAndItsFiles)
{
    const QString vtsMissing = "/VIDEO_TS/VTS_01_0.BUP\nDo you want to continue?";
    const QList<StatusCase> cases = {
        {"built",
         {"build", "SRC", "out.iso"},
         0,
         "Wrote \"" + File("out.iso") + "\": ",
         {"out.iso"},
         "success"},
        {"split",
         {"build", "SRC", "out.iso", "--split"},
         0,
         "Wrote \"" + File("out.iso_00") + "\": ",
         {"out.iso_00", "out.lst"},
         "success"},
        {"quiet", {"build", "SRC", "out.iso", "-q"}, 0, "Wrote \"", {"out.iso"}, nullptr},
        {"checksum",
         {"build", "SRC", "out.iso", "--checksum=sha256"},
         0,
         "Wrote \"" + File("out.iso") + "\": ",
         {"out.iso", "out.iso.sha256"},
         "success"},
        {"split checksum",
         {"build", "SRC", "out.iso", "--split", "--checksum=sha256"},
         0,
         "The chunks are listed in \"" + File("out.lst") + "\".",
         {"out.iso_00", "out.lst", "out.iso.sha256"},
         "success"},
        {"checksum not written",
         {"build", "SRC", "blocked.iso", "--checksum=sha256"},
         4,
         "The checksum file \"" + File("blocked.iso.sha256") + "\" could not be written: ",
         {"blocked.iso"},
         "build-failed"},
        {"a video folder",
         {"build", "SRC/VIDEO_TS", "out.iso"},
         0,
         "is a VIDEO_TS folder: building the folder that holds it",
         {"out.iso"},
         "success"},
        {"bad label",
         {"build", "SRC", "out.iso", "--volume-id", "my disc!"},
         3,
         "Unsupported character (\"!\") in Volume ID.",
         {},
         "refused"},
        {"no source",
         {"build", "missing", "out.iso"},
         3,
         "The Source Directory \"" + File("missing") + "\" does not exist.",
         {},
         "refused"},
        {"no output folder for the image",
         {"build", "SRC", "no/such/folder/out.iso"},
         3,
         "No image can be written in the folder \"" + File("no/such/folder") +
             "\": No such file or directory.",
         {},
         "refused"},
        {"settings of a script's own",
         {"build", "SRC", "out.iso", "--settings", "split.ini"},
         0,
         "Wrote ",
         {"out.iso_00", "out.lst"},
         "success"},
        {"settings overruled",
         {"build", "SRC", "out.iso", "--settings", "split.ini", "--no-split"},
         0,
         "Wrote \"" + File("out.iso") + "\": ",
         {"out.iso"},
         "success"},
        {"no such settings file",
         {"build", "SRC", "out.iso", "--settings", "missing.ini"},
         2,
         "The settings file \"missing.ini\" does not exist or is not a file.",
         {},
         nullptr},
        {"output to standard output",
         {"build", "SRC", "-"},
         2,
         "OUTPUT \"-\" is no file name",
         {},
         nullptr},
        {"an option check does not use",
         {"check", "SRC", "--split"},
         2,
         "check does not take --split.",
         {},
         nullptr},
        {"a list without a folder",
         {"build", "--sources-from", "list"},
         2,
         "--sources-from needs --output-dir.",
         {},
         nullptr},
        {"no command", {}, 2, "No command given.", {}, nullptr},
        {"unknown command", {"burn"}, 2, "Unknown command \"burn\".", {}, nullptr},
        {"one operand", {"build", "SRC"}, 2, "build needs SOURCE and OUTPUT", {}, nullptr},
        {"no output folder",
         {"build", "SRC", "--output-dir", "no/such/folder"},
         3,
         "The output folder \"no/such/folder\" is not an existing folder.",
         {},
         "refused"},
    };
    // A folder under its name keeps the checksum file from being saved.
    ASSERT_TRUE(QDir().mkpath(File("blocked.iso.sha256")));
    Write(File("split.ini"), "SplitImageFile = 1\n");
    for (const StatusCase& test : cases) {
        SCOPED_TRACE(test.name);
        const QString source = Source(QStringLiteral("src-%1").arg(test.name).replace(' ', '-'));
        QStringList arguments = test.arguments;
        arguments.replaceInStrings("SRC", source);
        const bool quiet = arguments.contains("-q");
        if (!quiet)
            arguments << "--progress=json";
        const CliOutput result = Run(arguments);
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.message)) << result.err.toStdString();
        if (quiet) {
            EXPECT_EQ(result.out, QString());
        }
        const QList<QJsonObject> results = ResultObjects(result.out);
        ASSERT_EQ(results.size(), test.outcome == nullptr ? 0 : 1) << result.out.toStdString();
        if (test.outcome != nullptr) {
            ExpectResult(results.first(), test.status, test.outcome, result.err);
            EXPECT_EQ(results.first().value("list").toString(),
                      test.written.contains("out.lst") ? File("out.lst") : QString());
        }
        for (const QString& name : test.written)
            EXPECT_TRUE(QFile::exists(File(name))) << name.toStdString();
        if (const QStringList sums = test.written.filter(QRegularExpression("\\.sha256$"));
            !sums.isEmpty()) {
            EXPECT_EQ(Sha256SumCheck(sums.first()), ImageFilesOk(test.written));
        }
        if (test.written.isEmpty()) {
            EXPECT_FALSE(QFile::exists(File("out.iso")));
            // A refused build leaves the source as it was.
            EXPECT_EQ(Tree(source),
                      Tree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset")
                          .replaceInStrings(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", source));
        }
        for (const QString& name : test.written)
            QFile::remove(File(name));
    }
}

TEST_F(CliEndToEndTest, ABuiltImagePlaysAndCarriesTheDerivedLabel)
{
    const QString source = Source("My Movie (2001)", "two-titlesets");
    const CliOutput result = Run({"build", source, "movie.iso", "--progress=json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const DiscInfo disc = ReadWithLsdvd(File("movie.iso"));
    EXPECT_EQ(disc.title, "MY_MOVIE_2001");
    EXPECT_EQ(disc.titles, 2);
    // One JSON object per line: the progress, the last at 100 %, then the result.
    const QStringList lines = result.out.trimmed().split('\n');
    ASSERT_GE(lines.size(), 2);
    const QString full = lines.at(lines.size() - 2);
    EXPECT_TRUE(full.startsWith("{\"event\":\"progress\",")) << full.toStdString();
    EXPECT_TRUE(full.contains("\"percent\":100")) << full.toStdString();
    const QJsonObject built = QJsonDocument::fromJson(lines.last().toUtf8()).object();
    EXPECT_EQ(built.value("volumeId").toString(), "MY_MOVIE_2001");
    EXPECT_EQ(built.value("source").toString(), source);
    EXPECT_EQ(built.value("output").toString(), File("movie.iso"));
    EXPECT_EQ(built.value("parts").toArray(), QJsonArray({File("movie.iso")}));
    // The size is in the user's own number format.
    EXPECT_TRUE(QRegularExpression("^Wrote \"" + QRegularExpression::escape(File("movie.iso")) +
                                       "\": \\d.*, Volume ID \"MY_MOVIE_2001\"\\.$",
                                   QRegularExpression::MultilineOption)
                    .match(result.err)
                    .hasMatch())
        << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(File("movie.iso.lock")));
}

TEST_F(CliEndToEndTest, ABatchBuildsEverySourceAfterABadOneAndNamesImagesByLabel)
{
    ASSERT_TRUE(QDir().mkpath(File("images")));
    ASSERT_TRUE(QDir().mkpath(File("empty")));
    ASSERT_TRUE(QDir().mkpath(File("again")));
    // The second "first" would be built over the first one's image.
    const QString twin = Source("again/first", "two-titlesets");
    const CliOutput result =
        Run({"build", Source("first"), File("empty"), twin, Source("second", "two-titlesets"),
             Source("Ocean's Eleven"), "--output-dir", File("images")});
    EXPECT_EQ(result.status, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Can't find a \"VIDEO_TS\" directory."))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(twin + ": another source of this batch is built to"))
        << result.err.toStdString();
    EXPECT_EQ(ReadWithLsdvd(File("images/FIRST.iso")).titles, 1);
    EXPECT_EQ(QDir(File("images")).entryList(QDir::Files),
              QStringList({"FIRST.iso", "OCEAN_S_ELEVEN.iso", "SECOND.iso"}));
    // A name the build would refuse as a label gives one it takes.
    EXPECT_EQ(ReadWithLsdvd(File("images/OCEAN_S_ELEVEN.iso")).title, "OCEAN_S_ELEVEN");
    EXPECT_EQ(ReadWithLsdvd(File("images/SECOND.iso")).titles, 2);

    // The same from a list, as find -print0 writes one; a name may hold a line feed.
    const QString odd = Source("line\nfeed");
    Write(File("sources"), QFile::encodeName(odd) + '\0');
    const CliOutput listed = Run(
        {"build", "--sources-from", File("sources"), "-0", "--output-dir", File("images"), "-q"});
    EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
    EXPECT_EQ(ReadWithLsdvd(File("images/LINE_FEED.iso")).titles, 1);
}

struct QuestionCase
{
    QStringList options;
    int status;
    QString answer;
};

// No terminal on standard input: the safe answer and its reason, unless told.
TEST_F(CliEndToEndTest, QuestionsAreAnsweredByOptionOrSafelyWithoutATerminal)
{
    const QList<QuestionCase> missingFile = {
        {{}, 3, "No terminal to ask on, so the answer is No"},
        {{"--no"}, 3, "Answered No (--no)"},
        {{"--yes"}, 0, "Answered Yes (--yes)"},
    };
    const QString source = Source("lacking");
    ASSERT_TRUE(QFile::remove(source + "/VIDEO_TS/VTS_01_0.BUP"));
    for (const QuestionCase& test : missingFile) {
        SCOPED_TRACE(test.options.join(' ').toStdString());
        const CliOutput result =
            Run(QStringList({"build", source, "out.iso", "--progress=json"}) + test.options);
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        // A No said nothing of its own: the result names the question it answered.
        const QList<QJsonObject> results = ResultObjects(result.out);
        ASSERT_EQ(results.size(), 1);
        ExpectResult(results.first(), test.status, test.status == 0 ? "success" : "declined",
                     result.err);
        EXPECT_TRUE(result.err.contains("Missing file: " + source +
                                        "/VIDEO_TS/VTS_01_0.BUP\nDo you want to continue?"))
            << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.answer)) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(File("out.iso")), test.status == 0);
    }

    // A sparse 5 GB file makes the source too large for a single layer; the
    // size check is on by the option or by stencil.ini.
    const QString large = Source("large");
    QFile filler(large + "/filler.bin");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(5LL << 30));
    filler.close();
    const CliOutput asked = Run({"build", large, "large.iso", "--size-check"});
    EXPECT_EQ(asked.status, 3);
    EXPECT_TRUE(asked.err.startsWith("The size of the created image exceeds the capacity\n"))
        << asked.err.toStdString();
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 1);
    EXPECT_EQ(Run({"build", large, "large.iso", "--no"}).status, 3);
    EXPECT_FALSE(QFile::exists(File("large.iso")));
}

TEST_F(CliEndToEndTest, CheckReportsWhatItWouldChangeAndChangesNothing)
{
    const QString source = Source("lower");
    LowerCaseTree(source);
    const QStringList before = Tree(source);
    const CliOutput result = Run({"check", source});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("Create \"" + source + "/AUDIO_TS\"\n"));
    EXPECT_TRUE(result.out.contains("Rename \"" + source + "/video_ts\" to \"VIDEO_TS\"\n"));
    EXPECT_TRUE(result.out.contains("Rename \"" + source +
                                    "/video_ts/vts_01_1.vob\" to "
                                    "\"VTS_01_1.VOB\"\n"))
        << result.out.toStdString();
    // A front end finds the changes in the result object; a quiet check prints nothing.
    const QList<QJsonObject> checked = ResultObjects(Run({"check", source, "--progress=json"}).out);
    ASSERT_EQ(checked.size(), 1);
    EXPECT_EQ(checked.first().value("outcome").toString(), "success");
    EXPECT_TRUE(
        checked.first().value("changes").toArray().contains("Create \"" + source + "/AUDIO_TS\""));
    EXPECT_EQ(Run({"check", source, "-q"}).out, QString());
    // A dry run says the same and the builder's exact command line.
    const CliOutput dry = Run({"build", source, "dry.iso", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.startsWith(result.out)) << dry.out.toStdString();
    EXPECT_TRUE(dry.out.endsWith(
        "\"" + File("mkisofs") + "\" -gui -dvd-video -no-cache-inodes  -V \"LOWER\" -o \"" +
        File(".dry.iso.isomint-XXXXXX/dry.iso") + "\" \"" + source + "\"\n"))
        << dry.out.toStdString();
    EXPECT_FALSE(QFile::exists(File("dry.iso")));
    EXPECT_EQ(Tree(source), before);
    // Output that cannot be written is a failure, not a silent success.
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    full.start(Cli(), {"check", source});
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("Standard output cannot be written"));

    ASSERT_EQ(Run({"build", source, "fixed.iso"}).status, 0);
    EXPECT_EQ(Run({"check", source}).out, "Nothing to change.\n");

    // A stray copy beside the real files is noted, not refused, and builds.
    const QString stray = source + "/VIDEO_TS/VIDEO_TS.IFO;1";
    Write(stray, "a stray copy");
    const CliOutput noted = Run({"check", source});
    EXPECT_EQ(noted.out, "Nothing to change.\n");
    EXPECT_EQ(noted.err, "Note: \"" + stray + "\" is not part of the DVD-Video.\n");
    const CliOutput built = Run({"build", source, "stray.iso"});
    EXPECT_EQ(built.status, 0) << built.err.toStdString();
    ASSERT_TRUE(QFile::remove(stray));

    // What the settings found is said once, as a line of its own.
    Write(File("stencil.ini"), QByteArray(65 * 1024, '#'));
    EXPECT_EQ(Run({"check", source}).err, "The settings file \"" + File("stencil.ini") +
                                              "\" is larger than 64 KiB and is ignored.\n");
    EXPECT_EQ(Run({"check", source, "--no-settings"}).err, QString());
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);

    ASSERT_TRUE(QFile::remove(source + "/VIDEO_TS/VIDEO_TS.BUP"));
    const CliOutput broken = Run({"check", source});
    EXPECT_EQ(broken.status, 3);
    // Named as a disc names it, whatever case the folder's other files have.
    EXPECT_EQ(broken.err, "Missing needed file: " + source + "/VIDEO_TS/VIDEO_TS.BUP\n");
}

struct RecordCase
{
    const char* name;
    QStringList arguments; // IMG, LST, SRC and DISC are replaced
    int status;
    QString message;     // on standard error
    bool recorded;       // the pseudo-disc holds the image
    const char* outcome; // the result object's with --progress=json; null: none
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The real xorriso records into a stdio: pseudo-drive; the disc must start with
// the image and hold at most the zeros of its last 64 KiB write unit after it.
TEST_F(CliEndToEndTest, RecordingGivesItsStatusAndWritesOnlyAWholeCheckedImage)
{
    ASSERT_EQ(Run({"build", Source("base", "two-titlesets"), "base.iso"}).status, 0);
    const QByteArray image = Contents(File("base.iso"));
    // Two chunks and their list, as a split build leaves them, streamed as one track.
    Write(File("base.iso_00"), image.left(256 * 2048));
    Write(File("base.iso_01"), image.mid(256 * 2048));
    Write(File("base.lst"),
          "IMAGELIST\r\n" + QFile::encodeName(File("base.iso_00")) + "\r\nbase.iso_01\r\n");
    Write(File("short.iso"), image.chopped(2048));
    Write(File("short.lst"), "base.iso_00\n");

    const QList<RecordCase> cases = {
        {"image",
         {"record", "IMG", "--device", "DISC"},
         0,
         "recorded successfully",
         true,
         "success"},
        {"verified",
         {"record", "IMG", "--device", "DISC", "--verify", "--eject"},
         0,
         "The image was recorded and verified successfully.",
         true,
         "success"},
        {"split list",
         {"record", "LST", "--device", "DISC"},
         0,
         "recorded successfully",
         true,
         "success"},
        {"build and record",
         {"build", "SRC", "built.iso", "--record", "--device", "DISC"},
         0,
         "The image was recorded successfully.",
         true,
         "success"},
        {"bad device",
         {"record", "IMG", "--device", "D:"},
         3,
         "\"D:\" is not a drive.",
         false,
         "refused"},
        {"full device",
         {"record", "IMG", "--device", "stdio:/dev/full"},
         6,
         "Recording failed (xorriso exit code",
         false,
         "record-failed"},
        {"short image",
         {"record", File("short.iso"), "--device", "DISC"},
         5,
         "Image check: the image has",
         false,
         "check-failed"},
        {"device without --record",
         {"build", "SRC", "built.iso", "--device", "DISC"},
         2,
         "--device and the recording options need --record.",
         false,
         nullptr},
        {"not a list",
         {"record", File("short.lst"), "--device", "DISC"},
         3,
         "is not an image list.",
         false,
         "refused"},
    };
    for (const RecordCase& test : cases) {
        SCOPED_TRACE(test.name);
        const QString disc = File(QStringLiteral("disc-%1.bin").arg(test.name).replace(' ', '-'));
        QStringList arguments = test.arguments;
        arguments.replaceInStrings("IMG", File("base.iso"));
        arguments.replaceInStrings("LST", File("base.lst"));
        arguments.replaceInStrings("DISC", "stdio:" + disc);
        if (arguments.contains("SRC"))
            arguments.replaceInStrings(
                "SRC",
                Source(QStringLiteral("src-%1").arg(test.name).replace(' ', '-'), "two-titlesets"));
        const CliOutput result = Run(arguments << "--progress=json");
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.message)) << result.err.toStdString();
        const QList<QJsonObject> results = ResultObjects(result.out);
        ASSERT_EQ(results.size(), test.outcome == nullptr ? 0 : 1) << result.out.toStdString();
        if (test.outcome != nullptr)
            ExpectResult(results.first(), test.status, test.outcome, result.err);
        const QByteArray expected =
            arguments.contains("--record") ? Contents(File("built.iso")) : image;
        const QByteArray written = Contents(disc);
        const QByteArray tail = written.mid(expected.size());
        EXPECT_EQ(!expected.isEmpty() && written.startsWith(expected) && tail.size() < 64 * 1024 &&
                      tail.count('\0') == tail.size(),
                  test.recorded)
            << written.size();
        EXPECT_FALSE(QFile::exists(File("D:")));
    }
}

// True while any process has the folder in its command line.
bool AnyProcessNames(const QString& folder)
{
    const QByteArray needle = QFile::encodeName(folder);
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            return true;
    }
    return false;
}

// A 1 GB sparse file beside VIDEO_TS keeps the real builder busy for a while.
TEST_F(CliEndToEndTest, ASignalMidRebuildEndsTheBuilderAndKeepsTheEarlierImage)
{
    const QString source = Source("long");
    ASSERT_TRUE(QDir().mkpath(source + "/EXTRA"));
    QFile filler(source + "/EXTRA/filler.bin");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(1LL << 30));
    filler.close();
    // An earlier image under the name stays as it was.
    const QByteArray earlier = "an earlier image";
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(signal);
        Write(File("long.iso"), earlier);
        QProcess cli;
        Start(cli, {"build", source, "long.iso", "--progress=json"});
        // The first progress line: mkisofs is writing.
        ASSERT_TRUE(cli.waitForReadyRead(60000));
        ::kill(static_cast<pid_t>(cli.processId()), signal);
        ASSERT_TRUE(cli.waitForFinished(10000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_EQ(cli.exitCode(), status) << err.toStdString();
        const QList<QJsonObject> results =
            ResultObjects(QString::fromUtf8(cli.readAllStandardOutput()));
        ASSERT_EQ(results.size(), 1);
        ExpectResult(results.first(), status, "stopped", err);
        EXPECT_EQ(results.first().value("parts").toArray(), QJsonArray());
        EXPECT_TRUE(
            err.contains("The earlier image \"" + File("long.iso") + "\" was kept as it was."))
            << err.toStdString();
        EXPECT_EQ(Contents(File("long.iso")), earlier);
        EXPECT_FALSE(QFile::exists(File("long.iso.lock")));
        EXPECT_EQ(QDir(m_folder.Path()).entryList({".long.iso.*"}, QDir::Dirs | QDir::Hidden),
                  QStringList());
        EXPECT_FALSE(AnyProcessNames(source));
    }
}

// A pipe nobody drains holds the real xorriso mid-write.
TEST_F(CliEndToEndTest, ASignalMidRecordingEndsTheRecorder)
{
    ASSERT_EQ(Run({"build", Source("held"), "held.iso"}).status, 0);
    const QString fifo = File("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QProcess cli;
    Start(cli, {"record", File("held.iso"), "--device", "stdio:" + fifo});
    QElapsedTimer waited;
    waited.start();
    while (!AnyProcessNames("dev=stdio:" + fifo) && waited.elapsed() < 20000)
        QThread::msleep(50);
    ASSERT_TRUE(AnyProcessNames("dev=stdio:" + fifo));
    ::kill(static_cast<pid_t>(cli.processId()), SIGTERM);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 143) << cli.readAllStandardError().toStdString();
    EXPECT_FALSE(AnyProcessNames("dev=stdio:" + fifo));
    ::close(reader);
}

TEST_F(CliEndToEndTest, HelpAndVersionNeedNoDisplay)
{
    QProcess window;
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    bare.remove("DISPLAY");
    bare.remove("WAYLAND_DISPLAY");
    bare.remove("QT_QPA_PLATFORM");
    window.setProcessEnvironment(bare);
    for (const QString& program : {QString(ISOMINT_PROGRAM_DIR "/isomint"), Cli()}) {
        for (const QString option : {"--help", "--version"}) {
            SCOPED_TRACE((program + " " + option).toStdString());
            window.start(program, {option});
            ASSERT_TRUE(window.waitForFinished(10000));
            EXPECT_EQ(window.exitCode(), 0);
            const QString out = QString::fromUtf8(window.readAllStandardOutput());
            EXPECT_TRUE(out.startsWith(option == "--help" ? "Usage:" : "isomint"));
            if (option == "--help") {
                EXPECT_TRUE(out.contains("isomint-cli")) << out.toStdString();
            }
        }
    }
}

// The language follows LANGUAGE, LC_MESSAGES and LANG as gettext's does; the C
// locale and English keep the English texts exactly.
// A German user reads the command line's own words in German, while what
// scripts read (the JSON progress, the numbers) stays the same in every language.
TEST_F(CliEndToEndTest, AGermanUserReadsItsOwnWordsInGerman)
{
    ASSERT_TRUE(QDir().mkpath(File("translations")));
    ASSERT_TRUE(QFile::copy(ISOMINT_PROGRAM_DIR "/translations/isomint_de.qm",
                            File("translations/isomint_de.qm")));
    const QString source = Source("Film");
    ASSERT_TRUE(QDir(source + "/AUDIO_TS").removeRecursively());
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        german.remove(QString::fromLatin1(name));
    german.insert("LANG", "de_DE.UTF-8");
    const struct
    {
        QStringList arguments;
        int status;
        bool standardOutput;
        const char* line;
    } cases[] = {
        {{"check", source}, 0, true, "^„.*/Film/AUDIO_TS“ anlegen$"},
        {{"build", source, "film.iso", "--progress=lines"},
         0,
         true,
         R"(^100 %  \d+\.\d MB/s  noch \d+:\d\d$)"},
        {{"build", source, "film.iso", "--progress=json"}, 0, true, R"("percent":100,)"},
        {{"record", "film.iso"},
         2,
         false,
         R"(^isomint-cli: Zum Brennen wird --device DEV gebraucht\.$)"},
        {{"build", source, "x.iso", "--yes", "--no"}, 2, false, "schließen einander aus"},
    };
    for (const auto& test : cases) {
        const CliOutput output = Run(test.arguments, german);
        const QString text = test.standardOutput ? output.out : output.err;
        EXPECT_EQ(output.status, test.status) << output.err.toStdString();
        EXPECT_TRUE(
            QRegularExpression(QString::fromUtf8(test.line), QRegularExpression::MultilineOption)
                .match(text)
                .hasMatch())
            << test.line << "\n"
            << text.toStdString();
    }
}

TEST(CliLanguage, TheUsersLocaleChoosesTheTexts)
{
    const struct
    {
        QStringList environment;
        const char* firstLine;
    } cases[] = {
        {{"LANG=C"}, "Usage:"},
        {{"LANG=en_US.UTF-8"}, "Usage:"},
        {{"LANG=de_DE.UTF-8"}, "Aufruf:"},
        {{"LANG=en_US.UTF-8", "LANGUAGE=de"}, "Aufruf:"},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=en:de"}, "Usage:"},
        {{"LANG=de_DE.UTF-8", "LC_MESSAGES=C"}, "Usage:"},
        {{"LANG=C", "LANGUAGE=de"}, "Usage:"},
        {{"LANG=fr_FR.UTF-8"}, "Usage:"}, // no catalogue: English
    };
    for (const auto& test : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "LANG"})
            environment.remove(QString::fromLatin1(name));
        for (const QString& entry : test.environment)
            environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
        QProcess cli;
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(ISOMINT_PROGRAM_DIR "/isomint-cli"), {"--help"});
        ASSERT_TRUE(cli.waitForFinished(10000));
        EXPECT_EQ(cli.readAllStandardOutput().split('\n').value(0), test.firstLine)
            << test.environment.join(' ').toStdString();
    }
}

} // namespace
