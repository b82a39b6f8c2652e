#pragma once

#include "settings/programsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A program folder of its own for each test, with the settings file in it.
class SettingsTestFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.SetProgramFolder(m_dir.path());
    }

    QString FilePath() const { return m_dir.filePath(QStringLiteral("stencil.ini")); }

    void WriteFile(const QByteArray& bytes)
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray FileBytes() const
    {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString Recorder(const char* name)
    {
        return QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/") + QLatin1String(name);
    }

    // Every notice m_settings gave so far, in order.
    const SettingsNotices& Notices()
    {
        m_notices += m_settings.TakeNotices();
        return m_notices;
    }

    void ClearNotices()
    {
        Notices();
        m_notices.clear();
    }

    QTemporaryDir m_dir;
    ProgramSettings m_settings;
    SettingsNotices m_notices;
};
