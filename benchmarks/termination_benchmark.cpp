// How long the end of every child takes when the program is told to stop: the
// exit guard's SIGTERM, grace and SIGKILL, with the real xorriso held mid-write
// by a pipe nobody drains, the worst a recording can do. With the program's
// grace of 700 ms the whole must stay well under the session's 2 s.

#include "platform/childprocess.h"
#include "platform/exitguard.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Until xorriso has filled the pipe, so that it is writing when the end comes.
bool WaitForWrite(int reader)
{
    for (int i = 0; i < 2000; ++i) {
        int bytes = 0;
        if (ioctl(reader, FIONREAD, &bytes) == 0 && bytes > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void EndAllWithXorrisoMidWrite(benchmark::State& state)
{
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    const QString image = dir.filePath(QStringLiteral("image.iso"));
    QFile file(image);
    if (xorriso.isEmpty() || mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0 ||
        !file.open(QIODevice::WriteOnly) || !file.resize(64 << 20)) {
        state.SkipWithError("needs xorriso and a scratch folder");
        return;
    }
    const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    for (auto _ : state) {
        state.PauseTiming();
        char drain[65536];
        while (read(reader, drain, sizeof drain) > 0) {
        }
        int error = 0;
        auto child = ChildProcess::Start(xorriso, {"-as", "cdrecord", "dev=stdio:" + fifo, image},
                                         QStringLiteral("/dev/null"), &error);
        if (!child || !WaitForWrite(reader)) {
            state.SkipWithError("xorriso did not start writing");
            break;
        }
        state.ResumeTiming();
        ExitGuard::EndAll(std::chrono::milliseconds(state.range(0)));
        state.PauseTiming();
        child.reset();
        state.ResumeTiming();
    }
    close(reader);
}
BENCHMARK(EndAllWithXorrisoMidWrite)
    ->Arg(700)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

} // namespace
