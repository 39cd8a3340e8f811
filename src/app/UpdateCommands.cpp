// The update of the access numbers on the command line, run by the update dialog's controller.

#include "access/LANUpdateViewController.h"
#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "platform/Console.h"
#include "platform/TerminationSignals.h"
#include "platform/UpdateServer.h"

#include <QEventLoop>
#include <array>

namespace {
// One attempt as the dialog opened from the settings screen runs it, each text printed as one
// line when it appears; Done is pressed as soon as it shows. There is no view to wait for, so
// the attempt starts at once. SIGINT, SIGTERM and SIGHUP press Cancel.
int updateOnce(FarlineAppDelegate &app, const QString &server)
{
    LANUpdateViewController dialog(app, server);
    QString outcome;
    int signalNumber = 0;
    QObject::connect(&dialog, &LANUpdateViewController::mainInfoChanged, [&] {
        outcome = dialog.mainInfo();
        Console::out(outcome);
    });
    QObject::connect(&dialog, &LANUpdateViewController::subInfoChanged, [&] {
        if (!dialog.subInfo().isEmpty())
            Console::out(QString(dialog.subInfo()).replace(u'\n', u' '));
    });
    QObject::connect(&dialog, &LANUpdateViewController::leftButtonChanged, [&] {
        if (dialog.leftButton() == u"Done")
            dialog.DoneUpdateAction();
    });
    QEventLoop loop;
    QObject::connect(&dialog, &LANUpdateViewController::dismissUpdateDialog, &loop, &QEventLoop::quit);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [&](int number) {
        signalNumber = number;
        dialog.CancelUpdateAction();
    });

    dialog.UpdateAction();
    loop.exec();
    if (signalNumber != 0)
        return 128 + signalNumber;
    if (outcome == u"Farline updated successfully")
        return 0;
    if (outcome == u"No updates available")
        return 1;
    return 2;
}

int runUpdate(const GlobalOptions &options, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return usageError(QStringLiteral("update takes no arguments"));
    const QString server = UpdateServer::resolve(options.server);
    return runWithApplication(options, [&](FarlineAppDelegate &app) { return updateOnce(app, server); });
}

constexpr std::array commandList = {
    Command{"update", "", "fetch newer access numbers from the update server",
            runUpdate},
};
} // namespace

std::span<const Command> updateCommands() { return commandList; }
