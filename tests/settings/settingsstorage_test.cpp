// Where the settings file lives and how it is read and written when the file or
// its folder is not what the program expects: read-only, hostile or 8-bit.
#include "settings/settingsfile.h"
#include "settings/settingslocation.h"
#include "settingstestfolder.h"
#include "support/environment.h"
#include "support/rerunasnobody.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kIni = QStringLiteral("stencil.ini");

bool MakeReadOnly(const QString& path)
{
    return ::chmod(QFile::encodeName(path).constData(), 0555) == 0;
}

class SettingsStorageTest : public SettingsTestFolder
{
protected:
    void SetUp() override
    {
        SettingsTestFolder::SetUp();
        m_savedConfig = qgetenv("XDG_CONFIG_HOME");
        m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    }

    void TearDown() override
    {
        if (m_hadConfig)
            qputenv("XDG_CONFIG_HOME", m_savedConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
        // Writable again, so that the temporary folder can be removed.
        const QStringList all{m_dir.path(), Sub(QStringLiteral("program")),
                              Sub(QStringLiteral("program/stencil.ini"))};
        for (const QString& path : all)
            ::chmod(QFile::encodeName(path).constData(), 0755);
    }

    QString Sub(const QString& name) const { return m_dir.filePath(name); }
    QString ConfigFile() const { return Sub(QStringLiteral("config/isomint/stencil.ini")); }

    // A program folder of its own, with a settings file when `bytes` is given.
    QString ProgramFolder(const QByteArray* bytes = nullptr)
    {
        QString folder = Sub(QStringLiteral("program"));
        EXPECT_TRUE(QDir().mkpath(folder));
        if (bytes != nullptr)
            WriteTo(folder + QStringLiteral("/stencil.ini"), *bytes);
        return folder;
    }

    static void WriteTo(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray BytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void SetSomeValues(ProgramSettings& settings)
    {
        settings.SetSplitImageFile(true);
        settings.SetDriveletter(QStringLiteral("F:"));
        settings.SetWriteSpeed(QStringLiteral("8x"));
        settings.SetDecrypterPath(QStringLiteral("/opt/rec/DVDDecrypter.exe"));
    }

    QByteArray m_savedConfig;
    bool m_hadConfig = false;
};

TEST(SettingsLocation, PortableCopyKeepsTheFileInTheProgramFolder)
{
    QTemporaryDir folder;
    const QString beside = folder.filePath(QStringLiteral("stencil.ini"));
    const QProcessEnvironment environment =
        Environment({{"XDG_CONFIG_HOME", QStringLiteral("/elsewhere")}});
    EXPECT_EQ(SettingsFileLocation(folder.path(), environment), beside);
    EXPECT_EQ(SettingsFileLocation(folder.path(), QProcessEnvironment()), beside);
}

// An installed copy's folder is its package's, whoever runs it and whatever
// lies in it: a settings file left there by an older version is not used.
TEST_F(SettingsStorageTest, InstalledCopyKeepsTheFileInTheUsersConfigurationFolder)
{
    const QString folder = Sub(QStringLiteral("usr/lib/isomint-stencil"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QDir().mkpath(Sub(QStringLiteral("usr/share/isomint-stencil"))));
    WriteTo(folder + QStringLiteral("/stencil.ini"), "SplitImageFile = 1\r\n");
    const passwd* account = ::getpwuid(::geteuid());
    ASSERT_NE(account, nullptr);
    const QString home = QStringLiteral("/home/someone");
    struct Case
    {
        QProcessEnvironment environment;
        QString expected;
    };
    const Case cases[] = {
        {Environment({{"XDG_CONFIG_HOME", QStringLiteral("/cfg")}, {"HOME", home}}),
         QStringLiteral("/cfg/isomint/stencil.ini")},
        {Environment({{"HOME", home}}), home + QStringLiteral("/.config/isomint/stencil.ini")},
        // No HOME (a service, env -i): the account's home, never the program folder.
        {QProcessEnvironment(),
         QFile::decodeName(account->pw_dir) + QStringLiteral("/.config/isomint/stencil.ini")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsFileLocation(folder, c.environment), c.expected);
}

// A copy that is not installed, in a folder that takes no new file (root's,
// or read-only).
TEST_F(SettingsStorageTest, ReadOnlyProgramFolderUsesTheUsersConfigurationFolder)
{
    if (RanAsNobodyInstead())
        return;
    const QString folder = ProgramFolder();
    ASSERT_TRUE(MakeReadOnly(folder));
    const QString home = QStringLiteral("/home/someone");
    struct Case
    {
        QProcessEnvironment environment;
        QString expected;
    };
    const Case cases[] = {
        {Environment({{"XDG_CONFIG_HOME", QStringLiteral("/cfg")}, {"HOME", home}}),
         QStringLiteral("/cfg/isomint/stencil.ini")},
        {Environment({{"HOME", home}}), home + QStringLiteral("/.config/isomint/stencil.ini")},
        // Only an absolute XDG_CONFIG_HOME counts.
        {Environment({{"XDG_CONFIG_HOME", QStringLiteral("cfg")}, {"HOME", home}}),
         home + QStringLiteral("/.config/isomint/stencil.ini")},
        {Environment({{"XDG_CONFIG_HOME", QString()}, {"HOME", home}}),
         home + QStringLiteral("/.config/isomint/stencil.ini")},
        // Nowhere else to go.
        {QProcessEnvironment(), folder + QStringLiteral("/stencil.ini")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsFileLocation(folder, c.environment), c.expected);

    // A file that is already in the folder is used there, as before.
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    WriteTo(folder + QStringLiteral("/stencil.ini"), "SplitImageFile = 1\r\n");
    ASSERT_TRUE(MakeReadOnly(folder));
    EXPECT_EQ(SettingsFileLocation(folder, cases[0].environment),
              folder + QStringLiteral("/stencil.ini"));
}

// Without a settings file in the read-only program folder the file goes to the
// user's configuration folder, where the next start finds it: no first-time
// setup, the same values. A writable file already in the folder is written in place.
TEST_F(SettingsStorageTest, ReadOnlyProgramFolderSavesWhereTheNextStartReads)
{
    if (RanAsNobodyInstead())
        return;
    const QByteArray old = "SplitImageFile = 0\r\n";
    for (const bool fileThere : {true, false}) {
        SCOPED_TRACE(fileThere);
        ::chmod(QFile::encodeName(Sub(QStringLiteral("program"))).constData(), 0755);
        QFile::remove(Sub(QStringLiteral("program/stencil.ini")));
        const QString folder = ProgramFolder(fileThere ? &old : nullptr);
        ASSERT_TRUE(MakeReadOnly(folder));
        const QString file = fileThere ? folder + QStringLiteral("/stencil.ini") : ConfigFile();
        ProgramSettings settings;
        settings.SetProgramFolder(folder);
        EXPECT_EQ(settings.SettingsFilePath(), file);
        EXPECT_EQ(settings.ReadSettings(), fileThere);

        SetSomeValues(settings);
        EXPECT_TRUE(settings.WriteSettings()); // creates config/isomint
        EXPECT_TRUE(settings.TakeNotices().isEmpty());
        EXPECT_EQ(BytesOf(file), FormatSettingsFile(settings.Values()));
        EXPECT_EQ(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  fileThere ? QStringList{kIni} : QStringList());
        EXPECT_EQ(QFile::exists(ConfigFile()), !fileThere);

        ProgramSettings next;
        next.SetProgramFolder(folder);
        ASSERT_TRUE(next.ReadSettings());
        EXPECT_EQ(next.Values(), settings.Values());
    }
}

TEST_F(SettingsStorageTest, FileThatCannotBeWrittenStaysAndANoticeSaysWhy)
{
    if (RanAsNobodyInstead())
        return;
    const QByteArray old = "SplitImageFile = 1\r\n";
    const QString folder = ProgramFolder(&old);
    const QString file = folder + QStringLiteral("/stencil.ini");
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    ASSERT_TRUE(MakeReadOnly(folder));
    ProgramSettings settings;
    settings.SetProgramFolder(folder);
    settings.SetSplitImageFile(false);
    EXPECT_FALSE(settings.WriteSettings());
    EXPECT_EQ(BytesOf(file), old);
    const SettingsNotices notices = settings.TakeNotices();
    ASSERT_EQ(notices.size(), 1);
    const SettingsNotice& box = notices.last();
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_EQ(box.kind, SettingsNoticeKind::SettingsFile);
    EXPECT_TRUE(
        box.text.startsWith(QStringLiteral("Cannot save the settings to \"%1\": ").arg(file)));
    EXPECT_TRUE(box.text.contains(QStringLiteral("not writable"))) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(QLatin1Char('.')));
}

// Also as root: no folder can be made under a regular file.
TEST_F(SettingsStorageTest, NowhereToWriteRunsTheCheckThenSaysWhy)
{
    WriteTo(Sub(QStringLiteral("plain")), "a file, not a folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Sub(QStringLiteral("plain/config"))));
    m_settings.SetProgramFolder(Sub(QStringLiteral("no/such/folder")));
    m_settings.SetBurnImageFile(true);
    m_settings.SetDecrypterPath(Recorder("no-resources.exe"));
    m_settings.WriteSettings();
    ASSERT_EQ(Notices().size(), 3); // the check's two messages, then the failure
    EXPECT_EQ(Notices().last().kind, SettingsNoticeKind::SettingsFile);
    EXPECT_EQ(Notices().last().text,
              QStringLiteral("Cannot save the settings to \"%1/isomint/stencil.ini\": cannot "
                             "create the folder \"%1/isomint\".")
                  .arg(Sub(QStringLiteral("plain/config"))));
    EXPECT_FALSE(m_settings.BurnImageFile());
}

TEST_F(SettingsStorageTest, EightBitTextsAreWrittenBackByteForByte)
{
    const QByteArray path = "C:\\Programme\\M\xfcller \x80\\DVDDecrypter.exe";
    const QByteArray speed = "2,4x \xe9";
    WriteFile("DecrypterPath = " + path + "\nWriteSpeed = " + speed + "\nDriveletter = e:\n");
    ASSERT_TRUE(m_settings.ReadSettings());
    // Shown as the Windows program's code page would show them.
    EXPECT_EQ(m_settings.DecrypterPath(),
              QStringLiteral(u"C:\\Programme\\M\u00fcller \u20ac\\DVDDecrypter.exe"));
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral(u"2,4x \u00e9"));

    // A text given back unchanged, as the settings dialog does, keeps its bytes.
    m_settings.SetDecrypterPath(m_settings.DecrypterPath());
    m_settings.WriteSettings();
    const QByteArray written = FileBytes();
    EXPECT_TRUE(written.contains("\r\nDecrypterPath = " + path + "\r\n"));
    EXPECT_TRUE(written.contains("\r\nWriteSpeed = " + speed + "\r\n"));
    EXPECT_TRUE(written.contains("\r\nDriveletter = E:\r\n"));
    ASSERT_TRUE(m_settings.ReadSettings());
    m_settings.WriteSettings();
    EXPECT_EQ(FileBytes(), written);

    // An edited text replaces them, in UTF-8.
    m_settings.SetDecrypterPath(QStringLiteral(u"/opt/M\u00fcller.exe"));
    m_settings.WriteSettings();
    EXPECT_TRUE(FileBytes().contains("\r\nDecrypterPath = /opt/M\xc3\xbcller.exe\r\n"));
    EXPECT_TRUE(FileBytes().contains("\r\nWriteSpeed = " + speed + "\r\n"));
    EXPECT_EQ(Notices().size(), 0);
}

TEST_F(SettingsStorageTest, FifoOrLinkToADeviceIsIgnoredOnceToldAndNeverReplaced)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(FilePath()).constData(), 0644), 0);
    EXPECT_FALSE(m_settings.ReadSettings()); // returns: nothing waits for a writer
    EXPECT_FALSE(m_settings.GetSplitImageFile());
    ASSERT_EQ(Notices().size(), 1); // told once, not at every query
    EXPECT_EQ(Notices().last().text,
              QStringLiteral("The settings file \"%1\" is not a regular file and is ignored.")
                  .arg(FilePath()));
    m_settings.WriteSettings();
    ASSERT_EQ(Notices().size(), 2);
    EXPECT_EQ(
        Notices().last().text,
        QStringLiteral("Cannot save the settings to \"%1\": not a regular file.").arg(FilePath()));
    struct stat fifo = {};
    ASSERT_EQ(::lstat(QFile::encodeName(FilePath()).constData(), &fifo), 0);
    EXPECT_TRUE(S_ISFIFO(fifo.st_mode));

    ASSERT_TRUE(QFile::remove(FilePath()));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), FilePath()));
    ClearNotices();
    EXPECT_FALSE(m_settings.ReadSettings()); // does not read without end
    m_settings.WriteSettings();
    EXPECT_EQ(Notices().size(), 1); // the write's failure; the file was already reported
    EXPECT_EQ(QFileInfo(FilePath()).symLinkTarget(), QStringLiteral("/dev/zero"));
    struct stat zero = {};
    ASSERT_EQ(::stat("/dev/zero", &zero), 0);
    EXPECT_TRUE(S_ISCHR(zero.st_mode));
}

TEST_F(SettingsStorageTest, OversizedFileIsIgnoredWithAMessageAndReplacedOnSave)
{
    // Exactly the limit is still a settings file.
    const QByteArray line = "SplitImageFile = 1\n";
    const QByteArray text = QByteArray(MaxSettingsFileSize - line.size() - 1, '#') + '\n' + line;
    WriteFile(text);
    EXPECT_TRUE(m_settings.ReadSettings());
    EXPECT_TRUE(m_settings.SplitImageFile());

    for (const QByteArray& big :
         {QByteArray(text).prepend('#'),
          "DecrypterPath = " + QByteArray(10 * 1024 * 1024, 'p') + "\nSplitImageFile = 1\n"}) {
        ClearNotices();
        m_settings.SetSplitImageFile(false);
        WriteFile(big);
        EXPECT_FALSE(m_settings.ReadSettings());
        EXPECT_FALSE(m_settings.SplitImageFile());
        EXPECT_EQ(m_settings.DecrypterPath(), QString());
        ASSERT_EQ(Notices().size(), 1);
        EXPECT_EQ(Notices().last().text,
                  QStringLiteral("The settings file \"%1\" is larger than 64 KiB and is ignored.")
                      .arg(FilePath()));
        EXPECT_FALSE(m_settings.GetSplitImageFile());
        EXPECT_EQ(Notices().size(), 1); // not again at every query
        WriteFile(line);                // fine again, so a later oversize is told again
        EXPECT_TRUE(m_settings.ReadSettings());
    }
    WriteFile(text + "#");
    m_settings.WriteSettings(); // saving, as the first-time setup does, replaces it
    EXPECT_EQ(FileBytes(), FormatSettingsFile(m_settings.Values()));
}

TEST_F(SettingsStorageTest, VeryLongRecorderPathIsElidedInItsMessage)
{
    const QString head = QStringLiteral("/opt/") + QString(55, QLatin1Char('h'));
    const QString tail = QString(56, QLatin1Char('t')) + QStringLiteral(".exe");
    const QString path = head + QString(40000, QLatin1Char('m')) + tail;
    WriteFile("BurnImageFile = 1\nDecrypterPath = " + path.toUtf8() + "\n");
    EXPECT_FALSE(m_settings.GetBurnImageFile());
    ASSERT_EQ(Notices().size(), 2);
    EXPECT_EQ(Notices()[0].text, QStringLiteral("Can't receive file information for file ") + head +
                                     QChar(0x2026) + tail);
    EXPECT_EQ(m_settings.DecrypterPath(), path); // the value itself is whole
}

} // namespace
