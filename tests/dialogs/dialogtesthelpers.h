#pragma once

#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"
#include "controls/linkopener.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A scratch folder, a private folder history and no queued file-dialog answers.
class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetApplicationProfilePath(Path(QStringLiteral("profile.ini")));
        CXFileDialog::ClearAnswers();
    }

    void TearDown() override
    {
        CXFileDialog::ClearAnswers();
        SetApplicationProfilePath(QString());
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Folder() const { return m_dir.path(); }

    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private:
    QTemporaryDir m_dir;
};

// Records the addresses handed to the desktop instead of opening them.
class RecordingOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        opened.append(address);
        done(works ? LinkOpenResult{} : LinkOpenResult{OpenLinkCode::NoAssociation, {}});
    }
    QString BrowserCommand() override { return {}; }
    QStringList opened;
    bool works = true;
};
