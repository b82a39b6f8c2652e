// The source size measure over a tree of 100,000 small files: 100 folders of
// 1,000 files each, made once before the runs.

#include "imaging/directorysize.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Folders = 100;
constexpr int FilesPerFolder = 1000;

QString Tree()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        for (int f = 0; f < Folders; ++f) {
            const QString folder =
                dir.filePath(QStringLiteral("VTS_%1").arg(f, 3, 10, QLatin1Char('0')));
            QDir().mkpath(folder);
            for (int n = 0; n < FilesPerFolder; ++n) {
                QFile file(folder + QStringLiteral("/F%1.VOB").arg(n));
                if (file.open(QIODevice::WriteOnly))
                    file.write("x", 1);
            }
        }
        made = true;
    }
    return dir.path();
}

void MeasureHundredThousandFiles(benchmark::State& state)
{
    const QString tree = Tree();
    double total = 0;
    for (auto _ : state) {
        total = MeasureDirectorySize(tree);
        benchmark::DoNotOptimize(total);
    }
    state.counters["files"] = total; // one byte each
    state.SetItemsProcessed(state.iterations() * Folders * FilesPerFolder);
}

} // namespace

BENCHMARK(MeasureHundredThousandFiles)->Unit(benchmark::kMillisecond);
