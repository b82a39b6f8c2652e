#include "imaging/mkisofscommandline.h"
#include "imaging/mkisofsprogram.h"
#include "imaging/newestpiece.h"
#include "imaging/volumeid.h"
#include "platform/pathhelper.h"
#include "support/rerunasnobody.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RunResult
{
    int exitCode = -1;
    QString output;
};

RunResult RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

RunResult BuildImage(const QString& source, const QString& image)
{
    return RunProgram(
        QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"),
        {"-dvd-video", "-V", DeriveVolumeId(LastComponentOf(source)), "-o", image, source});
}

// Why the folder check renames: the real image builder refuses a DVD-Video
// folder with lower-case names, with the exit code the program tells apart.
// (That it builds the folder once checked: the engine's end-to-end test.)
TEST(DvdImageBuildTest, TheRealBuilderRefusesALowerCaseFolder)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString source = temp.filePath("my movie");
    std::filesystem::copy(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", source.toStdString(),
                          std::filesystem::copy_options::recursive);
    QDir folder(source);
    ASSERT_TRUE(folder.rename("VIDEO_TS", "video_ts"));
    QDir video(source + "/video_ts");
    for (const QString& name : video.entryList(QDir::Files))
        ASSERT_TRUE(video.rename(name, name.toLower()));

    const RunResult refused = BuildImage(source, temp.filePath("movie.iso"));
    EXPECT_EQ(refused.exitCode, Mkisofs::DvdStructureExitCode);
    EXPECT_TRUE(refused.output.contains("Could not find correct 'VIDEO_TS' directory"))
        << qPrintable(refused.output);
}

QStringList ImageEntries(const QString& image)
{
    const RunResult listing = RunProgram("isoinfo", {"-f", "-i", image});
    EXPECT_EQ(listing.exitCode, 0) << qPrintable(listing.output);
    return listing.output.split('\n');
}

// Why the folder check refuses links and unreadable files: the builder leaves
// such a file out, says so in passing and still reports success.
TEST(DvdImageBuildTest, TheRealBuilderLeavesALinkedOrUnreadableFileOutAndSucceeds)
{
    if (RanAsNobodyInstead())
        return;
    const struct
    {
        const char* name;
        std::function<bool(const QString& vob, const QString& elsewhere)> spoil;
        QString said; // %1: the VOB
    } cases[] = {
        {"link",
         [](const QString& vob, const QString& elsewhere) {
             return QFile::rename(vob, elsewhere) && QFile::link(elsewhere, vob);
         },
         "Symlink %1 ignored"},
        {"unreadable",
         [](const QString& vob, const QString&) {
             return chmod(QFile::encodeName(vob).constData(), 0) == 0;
         },
         "File %1 is not readable"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QTemporaryDir temp;
        ASSERT_TRUE(temp.isValid());
        const QString source = temp.filePath("movie");
        std::filesystem::copy(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets", source.toStdString(),
                              std::filesystem::copy_options::recursive);
        const QString vob = source + "/VIDEO_TS/VTS_01_1.VOB";
        ASSERT_TRUE(test.spoil(vob, temp.filePath("elsewhere.vob")));

        const QString image = temp.filePath("movie.iso");
        const RunResult built = BuildImage(source, image);
        EXPECT_EQ(built.exitCode, 0) << qPrintable(built.output);
        EXPECT_TRUE(built.output.contains(test.said.arg(vob))) << qPrintable(built.output);
        const QStringList entries = ImageEntries(image);
        EXPECT_TRUE(entries.contains("/VIDEO_TS/VTS_02_1.VOB;1"));
        EXPECT_FALSE(entries.contains("/VIDEO_TS/VTS_01_1.VOB;1"));
    }
}

// The builder in the program folder, called as a build calls it, prints the
// progress lines, exit status and chunk names the monitor and the image list
// depend on.
TEST(DvdImageBuildTest, TheRealBuilderKeepsWhatTheProgramReliesOn)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    MkisofsRequest request;
    request.programFolder = QStringLiteral(ISOMINT_PROGRAM_DIR);
    request.split = true;
    request.volumeId = QStringLiteral("RELIED_ON");
    request.outputFile = temp.filePath("movie.iso");
    request.sourceDirectory = temp.filePath("source");
    std::filesystem::copy(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset",
                          request.sourceDirectory.toStdString(),
                          std::filesystem::copy_options::recursive);
    // Enough extents for several progress lines; sparse, so nothing large is written.
    QFile padding(request.sourceDirectory + "/padding.bin");
    ASSERT_TRUE(padding.open(QIODevice::WriteOnly) && padding.resize(4 << 20));
    padding.close();

    const RunResult run =
        RunProgram(MkisofsProgramPath(request.programFolder), MkisofsArguments(request));
    ASSERT_EQ(run.exitCode, Mkisofs::SuccessExitCode) << qPrintable(run.output);

    const QRegularExpression progress(QStringLiteral("^ *\\d+\\.\\d+% done"));
    int lines = 0;
    int previous = 0;
    for (const QString& line : run.output.split('\n')) {
        if (!progress.match(line).hasMatch())
            continue;
        const int percent = LeadingNumber(line.toLatin1());
        EXPECT_GE(percent, previous) << qPrintable(line);
        EXPECT_LE(percent, Mkisofs::ProgressMaximum) << qPrintable(line);
        previous = percent;
        ++lines;
    }
    EXPECT_GE(lines, 3) << qPrintable(run.output);

    // Split output is written as chunks from 00 on, even when one chunk holds it all.
    const QByteArray output = QFile::encodeName(request.outputFile);
    EXPECT_TRUE(QFile::exists(QString::asprintf(Mkisofs::ChunkNameFormat, output.constData(), 0)));
    EXPECT_FALSE(QFile::exists(QString::asprintf(Mkisofs::ChunkNameFormat, output.constData(), 1)));
    EXPECT_FALSE(QFile::exists(request.outputFile));
}

} // namespace
