#include "platform/stringtable.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(StringTable, HoldsTheNumberedTexts)
{
    EXPECT_EQ(LoadStringResource(101), "&About Isomint stencil...");
    EXPECT_EQ(LoadStringResource(112),
              "Click here to open the donation site\nin your default browser...");
    EXPECT_TRUE(LoadStringResource(114).isEmpty());
    EXPECT_TRUE(LoadStringResource(0).isEmpty());
}

TEST(StringTable, ManifestTextHasTwentyTwoLinesWithTheirIndentation)
{
    const QString manifest =
        QString::asprintf(LoadStringResource(115).toUtf8().constData(), "0.91.5");
    ASSERT_TRUE(manifest.endsWith('\n'));
    const QStringList lines = manifest.chopped(1).split('\n');
    ASSERT_EQ(lines.size(), 22);
    const int indents[] = {0, 0, 3, 6, 6, 6, 6, 3, 3, 3, 6, 9, 12, 12, 12, 12, 12, 12, 10, 6, 3, 0};
    for (int i = 0; i < 22; ++i) {
        const QString& line = lines.at(i);
        const auto indent = line.size() - line.trimmed().size();
        EXPECT_EQ(indent, indents[i]) << "line " << i + 1;
    }
    EXPECT_EQ(lines.at(3).trimmed(), "version=\"1.0.91.5\"");
}

} // namespace
