// Native recording against the tools alone, on a 1 GiB image in a scratch folder:
//  - reading a pseudo-disc back must take at most 1.2 times as long as cmp of
//    the same two files (arg 1: both files dropped from the page cache first);
//  - recording to a stdio: pseudo-drive, followed as the main window follows it,
//    must take at most 1.02 times as long as xorriso run bare on the same image
//    (arg 1: the image as four chunks, streamed as one track).
// The "ratio" counter is the goal's figure. Needs xorriso and cmp.

#include "burn/discverifier.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kImageBytes = qint64(1) << 30;
constexpr qint64 kChunkBytes = kImageBytes / 4;

QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "isomint_benchmarks";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir(QStringLiteral("/var/tmp/isomint-bench-XXXXXX"));
    return dir;
}

// Writes size bytes of a pattern no run of the tools could shortcut.
bool WritePattern(const QString& path, qint64 size, qint64 seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 done = 0; done < size; done += block.size()) {
        for (qsizetype i = 0; i < block.size(); i += 8)
            qToLittleEndian<quint64>((done + i) * 0x9E3779B97F4A7C15ULL + seed, block.data() + i);
        if (file.write(block) != block.size())
            return false;
    }
    return true;
}

// The image whole and as chunks (the same bytes), and a pseudo-disc copy, made once.
struct Files
{
    QString image;
    QStringList chunks;
    QString disc;
};

const Files& Prepared()
{
    static Files files = [] {
        Files made;
        made.image = Scratch().filePath(QStringLiteral("image.iso"));
        made.disc = Scratch().filePath(QStringLiteral("disc"));
        WritePattern(made.image, kImageBytes, 1);
        QFile::copy(made.image, made.disc);
        QFile whole(made.image);
        if (!whole.open(QIODevice::ReadOnly))
            return made;
        for (int n = 0; n < 4; ++n) {
            const QString chunk = made.image + QString::asprintf("_%02d", n);
            QFile out(chunk);
            if (!out.open(QIODevice::WriteOnly))
                return made;
            for (qint64 left = kChunkBytes; left > 0; left -= 1 << 20)
                out.write(whole.read(1 << 20));
            made.chunks << chunk;
        }
        return made;
    }();
    return files;
}

void DropFromCache(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

template <typename Run> double Seconds(Run&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool RunTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(program, arguments);
    return tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

void VerifyAgainstCmp(benchmark::State& state)
{
    Application();
    const Files& files = Prepared();
    const bool cold = state.range(0) != 0;
    double verifyTotal = 0;
    double cmpTotal = 0;
    for (auto _ : state) {
        for (const QString& path : {files.image, files.disc}) {
            if (cold)
                DropFromCache(path);
        }
        bool same = false;
        const double cmp = Seconds([&] {
            same = RunTool(QStringLiteral("cmp"), {files.image, files.disc});
        });
        for (const QString& path : {files.image, files.disc}) {
            if (cold)
                DropFromCache(path);
        }
        bool matches = false;
        const double verify = Seconds(
            [&] { matches = DiscVerifier::Matches({files.image}, kImageBytes, files.disc); });
        if (!same || !matches) {
            state.SkipWithError("the pseudo-disc does not match");
            break;
        }
        state.SetIterationTime(verify);
        verifyTotal += verify;
        cmpTotal += cmp;
    }
    state.counters["cmp_s"] = benchmark::Counter(cmpTotal, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = cmpTotal > 0 ? verifyTotal / cmpTotal : 0;
}

// One recording followed as the main window does: output read line by line,
// progress reported, success decided on xorriso's report.
bool RecordFollowed(const QString& xorriso, const XorrisoCall& call, const QStringList& sources)
{
    XorrisoRecording recording;
    QEventLoop loop;
    RecordingResult result = RecordingResult::Failed;
    QObject::connect(&recording, &XorrisoRecording::Ended, &loop, [&](RecordingResult ended, int) {
        result = ended;
        loop.quit();
    });
    if (!recording.Start(xorriso, call, sources))
        return false;
    loop.exec();
    return result == RecordingResult::Success;
}

void RecordAgainstBareXorriso(benchmark::State& state)
{
    Application();
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (xorriso.isEmpty()) {
        state.SkipWithError("xorriso is not installed");
        return;
    }
    const Files& files = Prepared();
    const QStringList sources = state.range(0) != 0 ? files.chunks : QStringList{files.image};
    const QString disc = Scratch().filePath(QStringLiteral("recorded"));
    XorrisoCall call;
    call.drive = QStringLiteral("stdio:") + disc;
    call.source = files.image;
    const QStringList bare = XorrisoArguments(call);
    double followedTotal = 0;
    double bareTotal = 0;
    bool bareFirst = true;
    for (auto _ : state) {
        bool bareOk = false;
        bool followedOk = false;
        double bareTime = 0;
        double followed = 0;
        // In turns, so that neither run always follows the other's writes.
        for (const bool bareRun : {bareFirst, !bareFirst}) {
            QFile::remove(disc);
            if (bareRun)
                bareTime = Seconds([&] { bareOk = RunTool(xorriso, bare); });
            else
                followed = Seconds([&] { followedOk = RecordFollowed(xorriso, call, sources); });
        }
        bareFirst = !bareFirst;
        if (!bareOk || !followedOk) {
            state.SkipWithError("a recording failed");
            break;
        }
        state.SetIterationTime(followed);
        followedTotal += followed;
        bareTotal += bareTime;
    }
    QFile::remove(disc);
    state.counters["bare_s"] = benchmark::Counter(bareTotal, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = bareTotal > 0 ? followedTotal / bareTotal : 0;
}

} // namespace

BENCHMARK(VerifyAgainstCmp)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RecordAgainstBareXorriso)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
