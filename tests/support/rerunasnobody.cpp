#include "support/rerunasnobody.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <unistd.h>

bool RerunAsNobody()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2")
            .arg(QLatin1String(test->test_suite_name()), QLatin1String(test->name()));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups",
                                              QCoreApplication::applicationFilePath(), filter});
    if (!process.waitForFinished(60000))
        return false;
    const QString output = QString::fromLocal8Bit(process.readAll());
    EXPECT_EQ(process.exitCode(), 0) << qPrintable(output);
    return output.contains("[  PASSED  ] 1 test") && !output.contains("SKIPPED");
}

bool CanRerunAsNobody()
{
    return !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

bool RanAsNobodyInstead()
{
    if (geteuid() != 0)
        return false;
    if (CanRerunAsNobody()) {
        EXPECT_TRUE(RerunAsNobody());
        return true;
    }
    // GTEST_SKIP returns from the function it is in: this lambda, not the test.
    [] { GTEST_SKIP() << "permissions do not hold for root, and setpriv is missing"; }();
    return true;
}
