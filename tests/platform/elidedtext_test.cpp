#include "platform/elidedtext.h"

#include <gtest/gtest.h>

namespace {

TEST(ElideMiddle, KeepsHeadAndTailOfALongTextAndLeavesShortOnesAlone)
{
    const QString fits =
        QString(60, QLatin1Char('a')) + QLatin1Char('m') + QString(60, QLatin1Char('z'));
    EXPECT_EQ(ElideMiddle(fits), fits);
    EXPECT_EQ(ElideMiddle(QString()), QString());

    const QString longer =
        QString(60, QLatin1Char('a')) + QStringLiteral("mm") + QString(60, QLatin1Char('z'));
    EXPECT_EQ(ElideMiddle(longer),
              QString(60, QLatin1Char('a')) + QChar(0x2026) + QString(60, QLatin1Char('z')));
    EXPECT_EQ(ElideMiddle(QStringLiteral("abcdefgh"), 2), QStringLiteral(u"ab\u2026gh"));
}

TEST(ElideMiddle, NeverSplitsACharacterOfTwoUnits)
{
    const QString clef = QStringLiteral(u"\U0001D11E"); // two UTF-16 units
    const QString text =
        QStringLiteral("abc") + clef + QStringLiteral("xxxxxxxx") + clef + QStringLiteral("def");
    // Four units would end inside the first clef and begin inside the second.
    const QString elided = ElideMiddle(text, 4);
    EXPECT_EQ(elided, QStringLiteral(u"abc\u2026def"));
    EXPECT_FALSE(elided.toUtf8().contains("\xef\xbf\xbd")); // nothing turned into U+FFFD
}

} // namespace
