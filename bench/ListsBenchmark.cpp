// The speed goals of the address book and the call lists:
//  - importing 10,000 vCards (one transaction) in under 5 s;
//  - each hostile import shape (a card of 100,000 numbers imported again with every number
//    changed, a card of 100,000 Apple-labelled numbers, 63 MiB of empty lines) in under 5 s,
//    with a peak of memory under 4 times the file;
//  - opening an address book of 10,000 persons, SQLite's quick check of the whole file
//    included, in under 50 ms;
//  - the start-up refresh of 50 recent calls and 15 favourites against an address book of
//    10,000 persons in under 20 ms;
//  - the contacts tab's list of 10,000 persons: reading it, and narrowing it by two letters or
//    by four digits (the first time with reading every number), each in under 20 ms.
#include "core/CallInitiator.h"
#include "core/FailureReporter.h"
#include "lists/CallRecordArchive.h"
#include "lists/FavoritesViewController.h"
#include "lists/PersonListModel.h"
#include "lists/RecentViewController.h"
#include "addressbook/AddressBook.h"
#include "platform/Alerts.h"
#include "platform/KeyedArchive.h"
#include "addressbook/VCardImporter.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {
constexpr int personCount = 10000;

// Cards as address book clients write them: names, organisation, two or three numbers,
// e-mail, a grouped custom label, folded lines.
QByteArray cards(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-" + n + "\r\nN:Family" + n + ";Given" + n + ";;;\r\n"
                + "FN:Given" + n + " Family" + n + "\r\nORG:Company " + QByteArray::number(i % 97) + ";Dept\r\n"
                + "TEL;TYPE=CELL;TYPE=VOICE;TYPE=pref:+49 170 " + n + "\r\nTEL;TYPE=HOME:+49 30 12\r\n 3" + n + "\r\n"
                + (i % 3 == 0 ? "item1.TEL:+1 555 " + n + "\r\nitem1.X-ABLabel:_$!<AssistantPhone>!$_\r\n" : QByteArray())
                + "EMAIL;TYPE=INTERNET:given" + n + "@example.com\r\nNOTE:Met at the fair in " + n + "\r\nEND:VCARD\r\n";
    }
    return text;
}

// A file `name` of `text` in `dir`; its path.
QString written(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void BM_ImportTenThousandCards(benchmark::State &state)
{
    QTemporaryDir files;
    const QString path = written(files, QStringLiteral("cards.vcf"), cards(personCount));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto book = std::make_unique<AddressBook>(dir.path() + QStringLiteral("/AddressBook.sqlite"));
        state.ResumeTiming();
        VCardImporter importer(*book, {});
        importer.importFile(path);
        if (!importer.commit() || importer.imported() != personCount)
            state.SkipWithError("import failed");
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * personCount);
}
BENCHMARK(BM_ImportTenThousandCards)->Unit(benchmark::kMillisecond)->Iterations(3);

// The resident memory the process gained since construction, at its peak: freed memory is
// handed back and the kernel's high-water mark reset first (Linux's clear_refs), so that each
// measurement stands alone.
class PeakMemory
{
public:
    PeakMemory()
    {
        malloc_trim(0);
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        m_base = status("VmRSS:");
    }
    double gainedBytes() const { return double(status("VmHWM:") - m_base); }

private:
    static qint64 status(const char *field)
    {
        QFile file(QStringLiteral("/proc/self/status"));
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith(field))
                return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong() * 1024;
        }
        return 0;
    }
    qint64 m_base = 0;
};

QByteArray manyNumbersCard(const QByteArray &prefix)
{
    QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:many\r\nFN:Many Numbers\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "TEL;TYPE=CELL:" + prefix + QByteArray::number(i) + "\r\n";
    return text + "END:VCARD\r\n";
}

// One card of 100,000 numbers, each in its item group with an Apple label after it.
QByteArray appleLabelledCard()
{
    QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Many Labels\r\n";
    for (int i = 0; i < 100000; ++i) {
        const QByteArray item = "item" + QByteArray::number(i);
        text += item + ".TEL:+1 555 " + QByteArray::number(i) + "\r\n" + item + ".X-ABLabel:_$!<AssistantPhone>!$_\r\n";
    }
    return text + "END:VCARD\r\n";
}

// Imports `shape` from a file (timed, with the memory it takes against the file size), over an
// address book that `before` filled (not timed).
void importShape(benchmark::State &state, const QByteArray &shape, const QByteArray &before = {})
{
    QTemporaryDir files;
    const QString shapePath = written(files, QStringLiteral("shape.vcf"), shape);
    const QString beforePath = written(files, QStringLiteral("before.vcf"), before);
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto book = std::make_unique<AddressBook>(dir.filePath(QStringLiteral("AddressBook.sqlite")));
        if (!before.isEmpty()) {
            VCardImporter importer(*book, {});
            importer.importFile(beforePath);
            importer.commit();
        }
        const PeakMemory memory;
        state.ResumeTiming();
        {
            VCardImporter importer(*book, {});
            if (importer.importFile(shapePath) != VCardImporter::FileResult::Read || !importer.commit())
                state.SkipWithError("import failed");
        }
        state.PauseTiming();
        peak = std::max(peak, memory.gainedBytes());
        book.reset();
        state.ResumeTiming();
    }
    state.counters["file_MiB"] = double(shape.size()) / (1 << 20);
    state.counters["peak_MiB"] = peak / (1 << 20);
    state.counters["peak_per_file"] = peak / double(shape.size());
}

void BM_ImportChangedNumbers(benchmark::State &state)
{
    importShape(state, manyNumbersCard("+49 171 "), manyNumbersCard("+49 170 "));
}
BENCHMARK(BM_ImportChangedNumbers)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ImportAppleLabels(benchmark::State &state) { importShape(state, appleLabelledCard()); }
BENCHMARK(BM_ImportAppleLabels)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ImportEmptyLines(benchmark::State &state) { importShape(state, QByteArray(63 << 20, '\n')); }
BENCHMARK(BM_ImportEmptyLines)->Unit(benchmark::kMillisecond)->Iterations(1);

class NoCalls final : public CallInitiator
{
public:
    void InitateCall(const FavoriteRecordPtr &) override {}
};

class NoReports final : public FailureReporter
{
public:
    void reportFailure(const QString &) override {}
    void reportWarning(const QString &) override {}
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class NoAlerts final : public Alerts
{
public:
    void show(const QString &, const QString &, const QStringList &, Answer) override {}
    void showActionSheet(const QStringList &, int, int, Answer) override {}
};

// An address book of 10,000 persons and full lists that point into it, some at persons and
// entries that are gone or edited.
struct StartUpData
{
    QTemporaryDir dir;
    Home home{dir.path()};

    StartUpData()
    {
        {
            AddressBook book(dir.path() + QStringLiteral("/AddressBook.sqlite"));
            VCardImporter importer(book, {});
            importer.importFile(written(dir, QStringLiteral("cards.vcf"), cards(personCount)));
            importer.commit();
        }
        const auto list = [](int count) {
            QList<FavoriteRecordPtr> records;
            for (int i = 0; i < count; ++i) {
                auto record = std::make_shared<FavoriteRecord>();
                const int person = int(QRandomGenerator::global()->bounded(personCount + 100)) + 1;
                record->contactID = person;
                record->identifier = i % 4;
                record->phoneNumber = QStringLiteral("+49 170 %1").arg(person - 1);
                records.append(record);
            }
            return records;
        };
        KeyedArchive::write(home.documentPath(RecentViewController::archiveFileName), RecentViewController::archiveRootKey,
                            CallRecordArchive::encode(list(RecentViewController::maxCount)));
        KeyedArchive::write(home.documentPath(FavoritesViewController::archiveFileName),
                            FavoritesViewController::archiveRootKey,
                            CallRecordArchive::encode(list(FavoritesViewController::maxCount)));
    }
};

StartUpData &startUpData()
{
    static StartUpData data;
    return data;
}

// The first question to the address book: it opens the file and checks it whole.
void BM_OpenWithCheck(benchmark::State &state)
{
    StartUpData &data = startUpData();
    for (auto _ : state) {
        AddressBook book(data.dir.path() + QStringLiteral("/AddressBook.sqlite"));
        if (!book.isOpen())
            state.SkipWithError("the address book did not open");
    }
}
BENCHMARK(BM_OpenWithCheck)->Unit(benchmark::kMillisecond);

// What start-up does for the lists: open the address book, read both archives, refresh both.
void BM_StartUpRefresh(benchmark::State &state)
{
    StartUpData &data = startUpData();
    NoCalls calls;
    NoReports reports;
    NoAlerts alerts;
    for (auto _ : state) {
        AddressBook book(data.dir.path() + QStringLiteral("/AddressBook.sqlite"));
        RecentViewController recents(data.home, book, calls, alerts, reports);
        FavoritesViewController favorites(data.home, book, calls, reports);
        recents.loadView();
        favorites.loadView();
        benchmark::DoNotOptimize(recents.recentArray().size() + favorites.favoritesArray().size());
    }
}
BENCHMARK(BM_StartUpRefresh)->Unit(benchmark::kMillisecond);

// The two refreshes alone, with the address book already open.
void BM_RefreshOnly(benchmark::State &state)
{
    StartUpData &data = startUpData();
    NoCalls calls;
    NoReports reports;
    NoAlerts alerts;
    AddressBook book(data.dir.path() + QStringLiteral("/AddressBook.sqlite"));
    RecentViewController recents(data.home, book, calls, alerts, reports);
    FavoritesViewController favorites(data.home, book, calls, reports);
    for (auto _ : state) {
        recents.prepareRecentCollection();
        favorites.prepareFavoritesCollection();
    }
}
BENCHMARK(BM_RefreshOnly)->Unit(benchmark::kMicrosecond);

// The list of persons over the opened address book of 10,000 persons.
struct PersonList
{
    AddressBook book{startUpData().dir.path() + QStringLiteral("/AddressBook.sqlite")};
    PersonListModel model{book};

    bool lists(int count) const { return model.rowCount() == count; }
};

// The contacts tab is made: a new list reads and sorts every person.
void BM_PersonListBuild(benchmark::State &state)
{
    PersonList list;
    list.book.isOpen();
    for (auto _ : state) {
        auto model = std::make_unique<PersonListModel>(list.book);
        model->reload();
        state.PauseTiming();
        if (model->rowCount() != personCount)
            state.SkipWithError("not every person listed");
        model.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PersonListBuild)->Unit(benchmark::kMillisecond);

// The list read again after an import: the old list goes as well.
void BM_PersonListReload(benchmark::State &state)
{
    PersonList list;
    list.model.reload();
    for (auto _ : state)
        list.model.reload();
    if (!list.lists(personCount))
        state.SkipWithError("not every person listed");
}
BENCHMARK(BM_PersonListReload)->Unit(benchmark::kMillisecond);

// A first search after the list was read: two letters make the words searched ("gi" begins
// every given name), four digits read every number with it ("4930" is in every home number).
// Every row stays.
void BM_PersonListFirstSearch(benchmark::State &state, const char *search)
{
    PersonList list;
    for (auto _ : state) {
        state.PauseTiming();
        list.model.setSearchText(QString());
        list.model.reload();
        state.ResumeTiming();
        list.model.setSearchText(QString::fromLatin1(search));
    }
    if (!list.lists(personCount))
        state.SkipWithError("not every person found");
}
BENCHMARK_CAPTURE(BM_PersonListFirstSearch, TwoLetters, "gi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PersonListFirstSearch, FourDigits, "4930")->Unit(benchmark::kMillisecond);

// A fourth digit typed, the numbers already read.
void BM_PersonListDigitSearch(benchmark::State &state)
{
    PersonList list;
    list.model.reload();
    for (auto _ : state) {
        state.PauseTiming();
        list.model.setSearchText(QStringLiteral("493"));
        state.ResumeTiming();
        list.model.setSearchText(QStringLiteral("4930"));
    }
    if (!list.lists(personCount))
        state.SkipWithError("not every person found");
}
BENCHMARK(BM_PersonListDigitSearch)->Unit(benchmark::kMillisecond);
} // namespace
