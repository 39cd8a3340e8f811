// Loading the data files as the program does at start: a large access number file for one key,
// and the bundle's full country dialling table; and the check of a large download.

#include "LargeLANFile.h"

#include "access/LANManger.h"
#include "core/TCCManager.h"
#include "datafile/DataFileCheck.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void loadLargeLANFile(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QByteArray bytes = LargeLANFile::enciphered();
    const QString path = writeFile(dir, LANManger::fileName, bytes);
    for (auto _ : state) {
        LANManger table(path);
        table.loadLANArray(LargeLANFile::sampleKey());
        if (table.lanNumbers().size() != LargeLANFile::lines / LargeLANFile::keys)
            state.SkipWithError("wrong number of access numbers");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(loadLargeLANFile)->Unit(benchmark::kMillisecond);

// The check of a download as the update runs it, piece by piece as the pieces arrive: it
// deciphers and judges every line.
void checkDownload(benchmark::State &state)
{
    const QByteArray bytes = LargeLANFile::enciphered();
    constexpr qsizetype piece = 64 * 1024;
    for (auto _ : state) {
        DataFileCheck check;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            check.feed(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        if (check.finish() != DataFileCheck::Verdict::Valid)
            state.SkipWithError("the file does not check");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(checkDownload)->Unit(benchmark::kMillisecond);

void loadMCCFile(benchmark::State &state)
{
    const QTemporaryDir dir;
    QFile bundled(QStringLiteral(":/bundle/MCCFile.txt"));
    if (!bundled.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no MCCFile.txt in the bundle");
        return;
    }
    const QString path = writeFile(dir, TCCManager::fileName, bundled.readAll());
    for (auto _ : state) {
        const TCCManager table(path);
        if (table.mccArray().isEmpty())
            state.SkipWithError("empty country dialling table");
    }
}
BENCHMARK(loadMCCFile)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
