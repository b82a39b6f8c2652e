#pragma once

#include "controls/applicationprofile.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Points the application profile at a fresh temporary file for each test.
class ProfileTest : public ::testing::Test
{
protected:
    ProfileTest() { SetApplicationProfilePath(ProfilePath()); }
    ~ProfileTest() override { SetApplicationProfilePath({}); }

    QString ProfilePath() const { return m_folder.filePath("profile/isomint.ini"); }

    void Write(const QString& key, const QString& value)
    {
        QSettings profile(ProfilePath(), QSettings::IniFormat);
        profile.setValue("FolderHistory/" + key, value);
    }

    QString Read(const QString& key) const
    {
        return QSettings(ProfilePath(), QSettings::IniFormat)
            .value("FolderHistory/" + key)
            .toString();
    }

    bool Has(const QString& key) const
    {
        return QSettings(ProfilePath(), QSettings::IniFormat).contains("FolderHistory/" + key);
    }

    QString MakeFolder(const QString& name) const
    {
        QDir(m_folder.path()).mkpath(name);
        return m_folder.filePath(name);
    }

    QTemporaryDir m_folder;
};
