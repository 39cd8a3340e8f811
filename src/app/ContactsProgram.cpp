// farline-contacts: `farline contacts sync` and `farline contacts sources` once the command line
// has checked them. They ask Evolution Data Server on the session bus, so they run in a program
// of their own: no other command loads the D-Bus library.

#include "addressbook/AddressBook.h"
#include "addressbook/ContactFolder.h"
#include "addressbook/ContactSync.h"
#include "app/ApplicationRun.h"
#include "app/GlobalOptions.h"
#include "app/SiblingProgram.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Console.h"

#include <QCoreApplication>

namespace {
int run(const GlobalOptions &options, bool syncing)
{
    return runWithApplication(options, [syncing](FarlineAppDelegate &app) {
        AddressBook &book = app.addressBook();
        if (!book.isOpen()) {
            Console::err(QStringLiteral("farline: ") + book.errorText());
            return 1;
        }
        ContactSync sync(book, ContactFolder::defaultPath());
        const ContactSync::Result result = syncing ? sync.sync() : ContactSync::Result{sync.sources(), {}, {}, false};
        for (const QString &problem : result.problems)
            Console::err(problem);
        if (result.failure) {
            Console::err(QStringLiteral("farline: contacts sync: nothing synced: ") + *result.failure);
            return 1;
        }
        for (const ContactSync::SourceState &source : result.sources)
            Console::out(source.line());
        return 0;
    });
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    const auto launch = siblingLaunch(QStringLiteral("farline-contacts"),
                                      {QStringLiteral("contacts sync"), QStringLiteral("contacts sources")});
    return launch ? run(launch->options, launch->command.last() == u"sync") : 2;
}
