// The checksum pass of --checksum=sha256 against sha256sum over the same
// 512 MiB file in the page cache: the pass may cost at most 1.1 times what
// sha256sum does. benchmarks/cli-speed measures the same on a whole build.

#include "burn/imagechecksum.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kImageBytes = qint64{512} * 1024 * 1024;

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// Written once; its bytes vary, as an image's do, though the hash does not care.
QString Image()
{
    const QString path = Scratch().filePath("image.iso");
    if (QFile::exists(path))
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (qint64 written = 0; written < kImageBytes; written += block.size()) {
        for (qsizetype n = 0; n < block.size(); ++n)
            block[n] = static_cast<char>((written / block.size() + n) * 2654435761U >> 24);
        if (file.write(block) != block.size())
            return {};
    }
    return path;
}

void BM_WriteImageChecksums(benchmark::State& state)
{
    const QString image = Image();
    if (image.isEmpty()) {
        state.SkipWithError("no scratch image");
        return;
    }
    for (auto _ : state) {
        if (!WriteImageChecksums({image}, image + ".sha256").isEmpty()) {
            state.SkipWithError("the checksums could not be written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kImageBytes);
}
BENCHMARK(BM_WriteImageChecksums)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Sha256Sum(benchmark::State& state)
{
    const QString image = Image();
    if (image.isEmpty()) {
        state.SkipWithError("no scratch image");
        return;
    }
    for (auto _ : state) {
        QProcess sum;
        sum.start(QStringLiteral("sha256sum"), {image});
        if (!sum.waitForFinished(-1) || sum.exitCode() != 0) {
            state.SkipWithError("sha256sum failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kImageBytes);
}
BENCHMARK(BM_Sha256Sum)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
