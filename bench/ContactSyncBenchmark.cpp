// The speed goals of mirroring the system's contacts (release build):
//  - a first sync of 5,000 contacts of Evolution Data Server in under 3 s;
//  - a first sync of 5,000 files of the KDE contacts folder in under 2 s;
//  - a sync with nothing changed, EDS and the folder each with 5,000, in under 100 ms.
// EDS is the real one, on a private session bus (as the tests run it).
#include "addressbook/AddressBook.h"
#include "addressbook/ContactFolder.h"
#include "addressbook/ContactMirror.h"
#include "addressbook/ContactSync.h"
#include "support/EvolutionDataServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int contactCount = 5000;

QByteArray card(int i)
{
    const QByteArray n = QByteArray::number(i);
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-" + n + "\r\nN:Family" + n + ";Given" + n + ";;;\r\nFN:Given" + n
         + " Family" + n + "\r\nORG:Company " + QByteArray::number(i % 97) + "\r\nTEL;TYPE=CELL:+49 170 " + n
         + "\r\nTEL;TYPE=HOME:+49 30 123" + n + "\r\nEMAIL;TYPE=INTERNET:given" + n + "@example.com\r\nEND:VCARD\r\n";
}

// The private bus, its EDS holding 5,000 contacts, and the folder with 5,000 files; made once.
struct Sources
{
    Sources()
    {
        if (!eds.missing().isEmpty())
            qFatal("needs %s", qPrintable(eds.missing()));
        for (const QString &variable : eds.environment())
            qputenv(variable.section(u'=', 0, 0).toLatin1(), variable.section(u'=', 1).toUtf8());
        for (int first = 0; first < contactCount; first += 1000) {
            QStringList batch;
            for (int i = first; i < first + 1000; ++i)
                batch.append(QString::fromUtf8(card(i)));
            if (eds.add(batch).size() != batch.size())
                qFatal("EDS did not take the contacts");
        }
        QDir().mkpath(folder.filePath(QStringLiteral("kpeoplevcard")));
        for (int i = 0; i < contactCount; ++i) {
            QFile file(folder.filePath(QStringLiteral("kpeoplevcard/%1.vcf").arg(i)));
            if (!file.open(QIODevice::WriteOnly) || file.write(card(i)) < 0)
                qFatal("cannot write the folder");
        }
    }
    QString folderPath() const { return folder.filePath(QStringLiteral("kpeoplevcard")); }

    EvolutionDataServer eds;
    QTemporaryDir folder;
};

Sources &sources()
{
    static Sources made;
    return made;
}

// A first sync into an empty address book (the folder absent).
void BM_FirstSyncEds(benchmark::State &state)
{
    sources(); // EDS with its contacts
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        {
            AddressBook book(home.filePath(QStringLiteral("AddressBook.sqlite")));
            book.isOpen();
            ContactSync sync(book, home.filePath(QStringLiteral("none")));
            state.ResumeTiming();
            const ContactSync::Result result = sync.sync();
            state.PauseTiming();
            if (result.failure || book.personCounts().value(QStringLiteral("eds:system-address-book")) != contactCount)
                state.SkipWithError("not every contact mirrored");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSyncEds)->Unit(benchmark::kMillisecond)->Iterations(3);

// The folder's part of a first sync, in its transaction.
void BM_FirstSyncFolder(benchmark::State &state)
{
    Sources &made = sources();
    const ContactFolder folder(made.folderPath());
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        {
            AddressBook book(home.filePath(QStringLiteral("AddressBook.sqlite")));
            book.isOpen();
            state.ResumeTiming();
            book.beginTransaction();
            ContactMirror mirror(book, QStringLiteral("kpeoplevcard"));
            folder.read(mirror, {});
            book.commitTransaction();
            state.PauseTiming();
            if (book.personCounts().value(QStringLiteral("kpeoplevcard")) != contactCount)
                state.SkipWithError("not every contact mirrored");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSyncFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SyncWithNothingChanged(benchmark::State &state)
{
    Sources &made = sources();
    QTemporaryDir home;
    AddressBook book(home.filePath(QStringLiteral("AddressBook.sqlite")));
    ContactSync sync(book, made.folderPath());
    sync.sync();
    for (auto _ : state) {
        const ContactSync::Result result = sync.sync();
        if (result.changed || book.personCounts().size() != 2)
            state.SkipWithError("the sync changed something");
    }
}
BENCHMARK(BM_SyncWithNothingChanged)->Unit(benchmark::kMillisecond);
} // namespace
