// The update of the access numbers on the command line, run by the update dialog's controller.

#include "access/LANUpdateViewController.h"
#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "platform/Console.h"
#include "core/FarlineAppDelegate.h"
#include "screens/MainViewController.h"

#include <QEventLoop>
#include <array>

namespace {
// One attempt as the dialog opened from the settings screen runs it, each text printed as one
// line when it appears; Done is pressed as soon as it shows. There is no view to wait for, so
// the attempt starts at once. SIGINT, SIGTERM and SIGHUP press Cancel. A failure's reason
// follows the outcome on standard error.
int updateOnce(FarlineAppDelegate &app)
{
    LANUpdateViewController &dialog = app.openUpdateDialog(&app.mainViewController());
    QString outcome;
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

    dialog.UpdateAction();
    loop.exec();
    if (const int signalNumber = receivedTerminationSignal()) {
        dialog.CancelUpdateAction();
        return 128 + signalNumber;
    }
    if (QString reason = dialog.failureReason(); !reason.isEmpty()) {
        reason[0] = reason[0].toLower(); // it continues "farline: update: "
        Console::err(QStringLiteral("farline: update: ") + reason);
    }
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
    return runWithApplication(options, updateOnce);
}

constexpr std::array commandList = {
    Command{"update", "", "fetch newer access numbers from the update server",
            runUpdate},
};
} // namespace

std::span<const Command> updateCommands() { return commandList; }
