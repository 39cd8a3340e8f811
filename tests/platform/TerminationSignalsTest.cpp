#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace {
TEST(TerminationSignalsTest, EachSignalEndsTheEventLoopInsteadOfTheProcess)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        TerminationSignals termination;
        QSignalSpy spy(&termination, &TerminationSignals::terminationRequested);
        QEventLoop loop;
        QObject::connect(&termination, &TerminationSignals::terminationRequested, &loop, [&loop] { loop.exit(7); });
        QTimer::singleShot(10, [signalNumber] { std::raise(signalNumber); });
        QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
        EXPECT_EQ(loop.exec(), 7);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(0).toInt(), signalNumber);
    }
}
} // namespace
