// The main window, Settings and the About box under the user's German locale
// (the test runs with LANG=de_DE.UTF-8): every text the catalogue knows shows
// in German, so no text is set past the translator or before it is installed.
#include "app/maindialog.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/settingsdialog.h"
#include "fakes/testprogramfolder.h"
#include "platform/programtranslations.h"
#include "support/scriptedmessagebox.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTranslator>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::pair<QString, QString>>; // where, text

void Add(Texts& texts, const QObject& object, const QString& kind, const QString& text)
{
    if (!text.isEmpty())
        texts.emplace_back(object.objectName() + QLatin1Char('.') + kind, text);
}

Texts VisibleTexts(const QWidget& window)
{
    Texts texts;
    Add(texts, window, QStringLiteral("title"), window.windowTitle());
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        Add(texts, *widget, QStringLiteral("tip"), widget->toolTip());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            Add(texts, *label, QStringLiteral("text"), label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            Add(texts, *button, QStringLiteral("text"), button->text());
        if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            Add(texts, *group, QStringLiteral("title"), group->title());
    }
    for (const QAction* action : window.findChildren<QAction*>())
        Add(texts, *action, QStringLiteral("text"), action->text());
    return texts;
}

bool CatalogueHas(const QTranslator& catalogue, const QString& text)
{
    for (const char* context : {"MainDialog", "SettingsDialog", "AboutDialog", "StringTable"}) {
        if (!catalogue.translate(context, text.toUtf8().constData()).isEmpty())
            return true;
    }
    return false;
}

TEST(GermanWindows, EveryTextTheCatalogueKnowsIsGerman)
{
    TestProgramFolder folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    ScriptedMessageBox boxes;
    const std::vector<std::function<Texts()>> windows = {
        [&] { return VisibleTexts(MainDialog(folder.Path(), &boxes)); },
        [&] { return VisibleTexts(SettingsDialog(boxes)); },
        [&] {
            AboutDialog about;
            about.SetProgramFolder(QStringLiteral(ISOMINT_PROGRAM_DIR));
            about.Prepare();
            return VisibleTexts(about);
        },
    };
    std::vector<Texts> english;
    for (const auto& window : windows)
        english.push_back(window());

    const ProgramTranslations translations(QStringLiteral(ISOMINT_PROGRAM_DIR));
    ASSERT_TRUE(translations.Installed()) << "no German catalogue for LANG=de_DE.UTF-8";
    QTranslator catalogue;
    ASSERT_TRUE(catalogue.load(QStringLiteral(ISOMINT_PROGRAM_DIR "/translations/isomint_de.qm")));
    int checked = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const Texts german = windows[i]();
        ASSERT_EQ(german.size(), english[i].size());
        for (std::size_t t = 0; t < german.size(); ++t) {
            const auto& [where, text] = english[i][t];
            if (!CatalogueHas(catalogue, text))
                continue;
            ++checked;
            EXPECT_NE(german[t].second, text) << where.toStdString();
        }
    }
    EXPECT_GE(checked, 30) << "too few texts found in the catalogue";
}

} // namespace
