// Showing an image in its folder: the desktop's file manager over D-Bus, here
// a stand-in on a private bus of the test's own, and without one, where the
// folder is opened as a link is and a failure of that too is explained as for
// a link.
#include "controls/linkopener.h"
#include "controls/showinfolder.h"
#include "qtprinters.h"
#include "support/eventloop.h"
#include "support/scriptedmessagebox.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A bus of the test's own, with no services to start on demand, so that no
// file manager of the machine answers.
class PrivateBus
{
public:
    PrivateBus()
    {
        QFile config(m_dir.filePath("bus.conf"));
        EXPECT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                     "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:dir=" +
                     QFile::encodeName(m_dir.path()) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        m_daemon.start(QStringLiteral(ISOMINT_DBUS_DAEMON),
                       {QStringLiteral("--config-file=") + config.fileName(),
                        QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        EXPECT_TRUE(m_daemon.waitForReadyRead(10000)) << m_daemon.readAllStandardError().data();
        m_address = QString::fromLatin1(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // A connection of its own to the bus, by name.
    QDBusConnection Connect(const QString& name)
    {
        m_connections.append(name);
        QDBusConnection connection = QDBusConnection::connectToBus(m_address, name);
        EXPECT_TRUE(connection.isConnected()) << connection.lastError().message().toStdString();
        return connection;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

// Plays the desktop's file manager: records what it was asked, or refuses.
class FakeFileManager1 : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    bool refuses = false;
    QList<QStringList> asked;
    QStringList startupIds;

public slots:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        asked.append(uris);
        startupIds.append(startupId);
        if (refuses)
            sendErrorReply(QDBusError::Failed, QStringLiteral("no window"));
    }
};

// Records the folders it is asked to open, and opens them or not.
class RecordingOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        asked.append(address);
        done(opens ? LinkOpenResult{} : LinkOpenResult{OpenLinkCode::NoAssociation, {}});
    }
    QString BrowserCommand() override { return {}; }

    bool opens = true;
    QStringList asked;
};

enum class Desktop
{
    FileManager,     // the service takes the files
    RefusingManager, // the service answers with an error
    NoFileManager,   // a bus without the service
    NoBus,           // no session bus at all
};

struct Row
{
    const char* name;
    Desktop desktop;
    bool openerOpens;
    bool managerAsked;
    bool folderOpened; // the opener is asked for the folder
    bool explained;    // the link-failed box
};

TEST(ShowInFolder, AsksTheFileManagerThenOpensTheFolderThenExplains)
{
    const Row rows[] = {
        {"file manager", Desktop::FileManager, false, true, false, false},
        {"refusing file manager", Desktop::RefusingManager, true, true, true, false},
        {"no file manager", Desktop::NoFileManager, true, false, true, false},
        {"no file manager, no opener", Desktop::NoFileManager, false, false, true, true},
        {"no bus, no opener", Desktop::NoBus, false, false, true, true},
    };
    PrivateBus bus;
    QDBusConnection service = bus.Connect(QStringLiteral("service"));
    bus.Connect(QStringLiteral("client"));
    FakeFileManager1 fileManager1;
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"),
                                       &fileManager1, QDBusConnection::ExportAllSlots));
    QTemporaryDir images;
    ASSERT_TRUE(images.isValid());
    const QStringList parts = {images.filePath("my movie.iso_00"),
                               images.filePath("my movie.iso_01")};

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool registered =
            row.desktop == Desktop::FileManager || row.desktop == Desktop::RefusingManager;
        if (registered) {
            ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        }
        fileManager1.refuses = row.desktop == Desktop::RefusingManager;
        fileManager1.asked.clear();
        fileManager1.startupIds.clear();
        FileManager fileManager(row.desktop == Desktop::NoBus ? QStringLiteral("no such bus")
                                                              : QStringLiteral("client"));
        RecordingOpener opener;
        opener.opens = row.openerOpens;
        ScriptedMessageBox boxes;
        QObject context;

        ShowInFolder(parts, &context, boxes, fileManager, opener);
        EXPECT_TRUE(opener.asked.isEmpty()) << "the answer comes from the event loop";
        EXPECT_TRUE(RunUntil(
            [&] {
                return row.folderOpened ? !opener.asked.isEmpty() : !fileManager1.asked.isEmpty();
            },
            10000));
        RunFor(100); // for anything that must not follow

        if (row.managerAsked) {
            ASSERT_EQ(fileManager1.asked.size(), 1);
            EXPECT_EQ(fileManager1.asked[0],
                      (QStringList{"file://" + images.path() + "/my%20movie.iso_00",
                                   "file://" + images.path() + "/my%20movie.iso_01"}));
            EXPECT_EQ(fileManager1.startupIds, QStringList{QString()});
        } else {
            EXPECT_TRUE(fileManager1.asked.isEmpty());
        }
        EXPECT_EQ(opener.asked, row.folderOpened ? QStringList{images.path()} : QStringList());
        if (row.explained) {
            ASSERT_EQ(boxes.Count(), 1);
            EXPECT_EQ(boxes.Last().text, OpenLinkErrorText(OpenLinkCode::NoAssociation));
            EXPECT_EQ(boxes.Last().kind, BoxKind::AppWarning);
        } else {
            EXPECT_EQ(boxes.Count(), 0);
        }
        if (registered) {
            ASSERT_TRUE(service.unregisterService(QStringLiteral("org.freedesktop.FileManager1")));
        }
    }
}

TEST(ShowInFolder, NothingHappensOnceTheContextIsGone)
{
    RecordingOpener opener;
    FileManager fileManager(QStringLiteral("no such bus"));
    ScriptedMessageBox boxes;
    {
        QObject context;
        ShowInFolder({QStringLiteral("/tmp/x.iso")}, &context, boxes, fileManager, opener);
    }
    RunFor(200);
    EXPECT_TRUE(opener.asked.isEmpty());
}

} // namespace

#include "showinfolder_test.moc"
