// The DVD-Video folder check on a real two-title-set folder whose VIDEO_TS
// also holds 100,000 empty files, made once before the runs. Each run reads
// both folders once and opens every file in VIDEO_TS once.

#include "imaging/dvdfoldercheck.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

constexpr int ExtraFiles = 100000;

QString Source()
{
    static QTemporaryDir dir;
    static bool made = false;
    const QString source = dir.filePath(QStringLiteral("Movie"));
    if (!made) {
        std::filesystem::copy(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets", source.toStdString(),
                              std::filesystem::copy_options::recursive);
        for (int n = 0; n < ExtraFiles; ++n)
            QFile(source + QStringLiteral("/VIDEO_TS/EXTRA%1.DAT").arg(n, 6, 10, QLatin1Char('0')))
                .open(QIODevice::WriteOnly);
        made = true;
    }
    return source;
}

void CheckFolderWithHundredThousandFiles(benchmark::State& state)
{
    const QString source = Source();
    // Every question is answered Yes and counted; none are expected.
    int questions = 0;
    bool stopped = false;
    for (auto _ : state) {
        const FolderCheckReport report = CheckDvdFolder(source, [&questions](const QString&) {
            ++questions;
            return true;
        });
        stopped = report.stop.has_value();
        benchmark::DoNotOptimize(stopped);
    }
    state.counters["stopped"] = stopped ? 1 : 0;
    state.counters["questions"] = questions;
}

} // namespace

BENCHMARK(CheckFolderWithHundredThousandFiles)->Unit(benchmark::kMillisecond);
