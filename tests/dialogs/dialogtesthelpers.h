#pragma once

#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"

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
