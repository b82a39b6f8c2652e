// The cost of one progress poll with a backlog of genisoimage-style lines
// printed since the previous poll. Finding the newest piece from the end must
// cost the same for 1 KB, 1 MB and 100 MB; the piece-by-piece reading it
// replaces is shown beside it for the smaller backlogs.

#include "imaging/newestpiece.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

// One capture file per backlog size, made once and shared by the runs.
QString Capture(qint64 bytes)
{
    static QTemporaryDir dir;
    static std::map<qint64, QString> made;
    if (made.count(bytes))
        return made[bytes];
    const QString path = dir.filePath(QString::number(bytes));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray block;
    char line[80];
    for (int n = 0; block.size() < (1 << 20); ++n) {
        std::snprintf(line, sizeof line,
                      "%6.2f%% done, estimate finish Tue Dec  8 00:%02d:%02d 2026\n",
                      (n % 10000) / 100.0, n / 60 % 60, n % 60);
        block += line;
    }
    // Whole lines only, so the newest piece is a complete progress line.
    for (qint64 written = 0; written < bytes;) {
        const qint64 room = qMin<qint64>(block.size(), bytes - written);
        const qint64 take = block.lastIndexOf('\n', room - 1) + 1;
        if (take == 0)
            break;
        file.write(block.constData(), take);
        written += take;
    }
    file.close();
    made[bytes] = path;
    return path;
}

void NewestPiecePoll(benchmark::State& state)
{
    const QString path = Capture(state.range(0));
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int percent = 0;
    for (auto _ : state) {
        NewestPieceReader reader; // everything in the file is new since the last poll
        reader.Poll(fd);
        percent = LeadingNumber(reader.Piece());
        benchmark::DoNotOptimize(percent);
    }
    close(fd);
    state.SetLabel(std::to_string(percent) + " %");
}

void PieceByPiecePoll(benchmark::State& state)
{
    const QString path = Capture(state.range(0));
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "r");
    char buffer[NewestPieceReader::PieceLength + 1];
    for (auto _ : state) {
        std::rewind(file);
        while (std::fgets(buffer, sizeof buffer, file) != nullptr)
            benchmark::ClobberMemory();
        benchmark::DoNotOptimize(std::atoi(buffer));
    }
    std::fclose(file);
}

} // namespace

BENCHMARK(NewestPiecePoll)
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Arg(100 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PieceByPiecePoll)->Arg(1 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
