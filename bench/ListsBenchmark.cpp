// The speed goals of the address book and the call lists:
//  - importing 10,000 vCards (one transaction) in under 5 s;
//  - the start-up refresh of 50 recent calls and 15 favourites against an address book of
//    10,000 persons in under 20 ms;
//  - the contacts tab's list of 10,000 persons: reading it, and narrowing it by two letters or
//    by four digits (the first time with reading every number), each in under 20 ms.
#include "core/CallInitiator.h"
#include "lists/CallRecordArchive.h"
#include "lists/FavoritesViewController.h"
#include "lists/PersonListModel.h"
#include "lists/RecentViewController.h"
#include "platform/AddressBook.h"
#include "platform/Alerts.h"
#include "platform/VCardImporter.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

void BM_ImportTenThousandCards(benchmark::State &state)
{
    const QByteArray text = cards(personCount);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto book = std::make_unique<AddressBook>(dir.path() + QStringLiteral("/AddressBook.sqlite"));
        state.ResumeTiming();
        VCardImporter importer(*book, {});
        importer.importFile(QStringLiteral("cards.vcf"), text);
        if (!importer.commit() || importer.imported() != personCount)
            state.SkipWithError("import failed");
        state.PauseTiming();
        book.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * personCount);
}
BENCHMARK(BM_ImportTenThousandCards)->Unit(benchmark::kMillisecond)->Iterations(3);

class NoCalls final : public CallInitiator
{
public:
    void InitateCall(const FavoriteRecordPtr &) override {}
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
            importer.importFile(QStringLiteral("cards.vcf"), cards(personCount));
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
        home.ensureDocuments();
        CallRecordArchive::write(home.documentPath(RecentViewController::archiveFileName),
                                 RecentViewController::archiveRootKey, list(RecentViewController::maxCount));
        CallRecordArchive::write(home.documentPath(FavoritesViewController::archiveFileName),
                                 FavoritesViewController::archiveRootKey, list(FavoritesViewController::maxCount));
    }
};

StartUpData &startUpData()
{
    static StartUpData data;
    return data;
}

// What start-up does for the lists: open the address book, read both archives, refresh both.
void BM_StartUpRefresh(benchmark::State &state)
{
    StartUpData &data = startUpData();
    NoCalls calls;
    RecordingAlerts alerts;
    for (auto _ : state) {
        AddressBook book(data.dir.path() + QStringLiteral("/AddressBook.sqlite"));
        RecentViewController recents(data.home, book, calls, alerts);
        FavoritesViewController favorites(data.home, book, calls);
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
    RecordingAlerts alerts;
    AddressBook book(data.dir.path() + QStringLiteral("/AddressBook.sqlite"));
    RecentViewController recents(data.home, book, calls, alerts);
    FavoritesViewController favorites(data.home, book, calls);
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

// Two letters as the first search after the list was read, which makes the words searched
// ("gi" begins every given name: every row stays).
void BM_PersonListTwoLetterSearch(benchmark::State &state)
{
    PersonList list;
    for (auto _ : state) {
        state.PauseTiming();
        list.model.setSearchText(QString());
        list.model.reload();
        state.ResumeTiming();
        list.model.setSearchText(QStringLiteral("gi"));
    }
    if (!list.lists(personCount))
        state.SkipWithError("not every person found");
}
BENCHMARK(BM_PersonListTwoLetterSearch)->Unit(benchmark::kMillisecond);

// Four digits as the first search after the list was read: every number is read with it
// ("4930" is in every home number).
void BM_PersonListFirstDigitSearch(benchmark::State &state)
{
    PersonList list;
    for (auto _ : state) {
        state.PauseTiming();
        list.model.setSearchText(QString());
        list.model.reload();
        state.ResumeTiming();
        list.model.setSearchText(QStringLiteral("4930"));
    }
    if (!list.lists(personCount))
        state.SkipWithError("not every person found");
}
BENCHMARK(BM_PersonListFirstDigitSearch)->Unit(benchmark::kMillisecond);

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

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
