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

// Answers every question with Yes and counts the boxes; none are expected.
class CountingPresenter : public MessageBoxPresenter
{
public:
    int Show(const MessageBoxRequest&) override
    {
        ++m_count;
        return IdYes;
    }
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

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
    CountingPresenter presenter;
    int result = 0;
    for (auto _ : state) {
        result = CheckDvdFolder(source, presenter);
        benchmark::DoNotOptimize(result);
    }
    state.counters["result"] = result;
    state.counters["boxes"] = presenter.Count();
}

} // namespace

BENCHMARK(CheckFolderWithHundredThousandFiles)->Unit(benchmark::kMillisecond);
