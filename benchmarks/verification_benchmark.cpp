// The read-back check of a finished image against the build it follows, on a
// real DVD-Video folder of about 1 GB. Make the folder once with
//   tests/data/dvd/make-large.sh DIR
// and run with ISOMINT_LARGE_DVD=DIR; without it these benchmarks are skipped.
// The check reads metadata only, so it must cost a small fraction of the build.

#include "imaging/dvdimage.h"
#include "imaging/dvdlayoutcheck.h"
#include "imaging/imageverifier.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The large folder, with the AUDIO_TS the builder wants; empty when not set.
QString LargeFolder()
{
    const QString folder = qEnvironmentVariable("ISOMINT_LARGE_DVD");
    if (folder.isEmpty() || !QFileInfo(folder + "/VIDEO_TS").isDir())
        return {};
    QDir().mkpath(folder + "/AUDIO_TS");
    return folder;
}

bool Build(const QString& source, const QString& image, bool split)
{
    QStringList arguments{"-quiet", "-dvd-video", "-no-cache-inodes"};
    if (split)
        arguments << "-split-output";
    arguments << "-o" << image << source;
    QProcess builder;
    builder.start(QStringLiteral("genisoimage"), arguments);
    return builder.waitForFinished(-1) && builder.exitStatus() == QProcess::NormalExit &&
           builder.exitCode() == 0;
}

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The image of the large folder, whole or as genisoimage's 1 GB chunks, built once.
QStringList Image(const QString& source, bool split)
{
    const QString image = Scratch().filePath(split ? "split.iso" : "large.iso");
    if (!QFileInfo::exists(split ? image + "_00" : image) && !Build(source, image, split))
        return {};
    if (!split)
        return {image};
    QStringList chunks;
    for (int n = 0; QFileInfo::exists(QString::asprintf("%s_%02d", qPrintable(image), n)); ++n)
        chunks << QString::asprintf("%s_%02d", qPrintable(image), n);
    return chunks;
}

void BuildLargeImage(benchmark::State& state)
{
    const QString source = LargeFolder();
    if (source.isEmpty()) {
        state.SkipWithError("set ISOMINT_LARGE_DVD to a folder made by make-large.sh");
        return;
    }
    const QString image = Scratch().filePath("large.iso");
    for (auto _ : state) {
        if (!Build(source, image, false)) {
            state.SkipWithError("genisoimage failed");
            break;
        }
    }
    state.counters["MB"] = QFileInfo(image).size() / 1e6;
}

void VerifyLargeImage(benchmark::State& state)
{
    const QString source = LargeFolder();
    if (source.isEmpty()) {
        state.SkipWithError("set ISOMINT_LARGE_DVD to a folder made by make-large.sh");
        return;
    }
    const QStringList parts = Image(source, state.range(0) != 0);
    if (parts.isEmpty()) {
        state.SkipWithError("genisoimage failed");
        return;
    }
    for (auto _ : state) {
        const ImageVerification result = VerifyDvdImage(source, parts);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.report.join(' ')));
            break;
        }
    }
    state.counters["parts"] = parts.size();
}

// The layout check on its own: its sectors come from the information files the
// check reads anyway, so comparing them with the directory is all it adds.
void CheckLargeImageLayout(benchmark::State& state)
{
    const QString source = LargeFolder();
    if (source.isEmpty()) {
        state.SkipWithError("set ISOMINT_LARGE_DVD to a folder made by make-large.sh");
        return;
    }
    DvdImage image;
    if (!image.Open(Image(source, state.range(0) != 0))) {
        state.SkipWithError("the image does not open");
        return;
    }
    const int titleSets = image.TitleSetCount();
    for (int titleSet = 1; titleSet <= titleSets; ++titleSet)
        static_cast<void>(image.ReadsTitleSet(titleSet));
    const QStringList names = QDir(source + "/VIDEO_TS").entryList(QDir::Files);
    for (auto _ : state) {
        const QStringList problems = DvdLayoutProblems(image, names);
        if (!problems.isEmpty()) {
            state.SkipWithError(qPrintable(problems.join(' ')));
            break;
        }
    }
}

} // namespace

BENCHMARK(BuildLargeImage)->Iterations(2)->UseRealTime()->Unit(benchmark::kSecond);
// 0: one image file; 1: genisoimage's chunks.
BENCHMARK(VerifyLargeImage)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CheckLargeImageLayout)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond);
