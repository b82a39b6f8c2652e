// The desktop notice at the end of a long build that ends while the user is
// in another window: on a session bus of the test's own with a stand-in
// notification service, and with no bus at all.
#include "app/apptesthelpers.h"
#include "app/desktopnotification.h"
#include "app/finishnotice.h"
#include "app/maindialog.h"
#include "fakes/testprogramfolder.h"
#include "imaging/buildengine.h"
#include "support/scriptedmessagebox.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

bool OwnBus()
{
    return qEnvironmentVariableIntValue("ISOMINT_TEST_OWN_BUS") == 1;
}

class FinishNoticeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
        // Fails after a while: the outcome box says mkisofs reported errors.
        m_folder.WriteScript({"out   50.00% done, estimate finish", "sleep 400", "exit 3"});
        TestProgramFolder::CopyTree(QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset"),
                                    m_folder.File("dvd"));
        m_window =
            std::make_unique<MainDialog>(m_folder.Path(), &m_boxes, MonitorTimings{10ms, 50ms});
        m_window->show();
        m_window->findChild<QLineEdit*>("sourceEdit")->setText(m_folder.File("dvd"));
        m_window->findChild<QLineEdit*>("outputEdit")->setText(m_folder.File("out.iso"));
    }
    void TearDown() override
    {
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
        if (m_service.state() != QProcess::NotRunning) {
            m_service.terminate();
            m_service.waitForFinished(5000);
        }
    }

    void StartService()
    {
        m_service.start(QStringLiteral(ISOMINT_FAKE_NOTIFICATIONS), {Record()});
        ASSERT_TRUE(m_service.waitForReadyRead(10000)) << m_service.readAllStandardError().data();
        ASSERT_EQ(m_service.readLine().trimmed(), "ready");
    }

    // Another window of the desktop takes the focus.
    void LookElsewhere()
    {
        m_elsewhere.resize(100, 100);
        m_elsewhere.show();
        m_elsewhere.activateWindow();
        ASSERT_TRUE(RunUntil([this] { return !m_window->isActiveWindow(); }, 5000));
    }

    void Build()
    {
        const qsizetype before = m_boxes.Count();
        m_window->findChild<QPushButton*>("imageButton")->click();
        ASSERT_TRUE(m_window->Engine().IsBuilding());
        ASSERT_TRUE(RunUntil([this] { return !m_window->Engine().IsBuilding(); }, 20000));
        ASSERT_EQ(m_boxes.Count(), before + 1) << "the outcome box is shown as ever";
    }

    QString Record() const { return m_folder.File("notifications"); }
    QList<QByteArray> Notices() const
    {
        QFile file(Record());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> lines = file.readAll().split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
    std::unique_ptr<MainDialog> m_window;
    QWidget m_elsewhere;
    QProcess m_service;
};

TEST_F(FinishNoticeTest, ALongBuildEndingWhileTheWindowIsInactiveSendsItsOutcome)
{
    if (!OwnBus())
        GTEST_SKIP() << "runs on a session bus of its own, under dbus-run-session";
    StartService();

    // Short builds, and builds the user watches, stay quiet.
    LookElsewhere();
    Build();
    m_window->FinishNotices().SetThreshold(100ms);
    m_window->activateWindow();
    ASSERT_TRUE(RunUntil([this] { return m_window->isActiveWindow(); }, 5000));
    Build();
    RunFor(500);
    EXPECT_TRUE(Notices().isEmpty());

    LookElsewhere();
    Build();
    ASSERT_TRUE(RunUntil([this] { return !Notices().isEmpty(); }, 10000));
    RunFor(300);
    const QList<QByteArray> notices = Notices();
    ASSERT_EQ(notices.size(), 1);
    const MessageBoxRequest outcome = m_boxes.Last();
    const QString expected = QStringLiteral("Isomint Stencil\tIsomint Stencil: ") +
                             outcome.caption + u'\t' + outcome.text.toHtmlEscaped();
    EXPECT_EQ(QString::fromUtf8(notices[0]),
              QString(expected).replace(u'\n', QStringLiteral("\\n")));
}

TEST_F(FinishNoticeTest, WithoutASessionBusNothingIsSentAndTheBuildEndsAsEver)
{
    if (OwnBus())
        GTEST_SKIP() << "runs without a bus";
    EXPECT_FALSE(SendDesktopNotification(QStringLiteral("s"), QStringLiteral("b")));
    m_window->FinishNotices().SetThreshold(0ms);
    LookElsewhere();
    Build();
    EXPECT_EQ(m_boxes.Last().caption, QStringLiteral("Error"));
}

} // namespace
