#include "imaging/mkisofscommandline.h"
#include "imaging/volumeid.h"
#include "imaging/windows1252case.h"

#include <QFile>
#include <gtest/gtest.h>

#include <string_view>

namespace {

QString Derive(const char* utf8)
{
    return DeriveVolumeId(QString::fromUtf8(utf8));
}

bool HasUnsupportedChar(const QString& label)
{
    return FindUnsupportedVolumeIdChar(label).has_value();
}

// As the build checks a label before it starts: none at all is missing
// information; then derived again, no character outside the set and no more
// than a volume label holds. The proposal itself names the batch's image file.
void ExpectTheBuildTakes(const QString& proposal, const QString& name)
{
    SCOPED_TRACE(name.toStdString() + " -> " + proposal.toStdString());
    ASSERT_FALSE(proposal.isEmpty());
    EXPECT_FALSE(HasUnsupportedChar(proposal));
    EXPECT_LE(proposal.size(), MaxVolumeIdLength);
    const QString used = DeriveVolumeId(proposal);
    EXPECT_FALSE(used.isEmpty());
    EXPECT_FALSE(HasUnsupportedChar(used));
    EXPECT_LE(used.size(), MaxVolumeIdLength);
}

// Every proposal is one the build takes; a name whose derived label it
// already takes keeps that label, byte for byte.
void ExpectProposalOf(const QString& name)
{
    const QString proposal = ProposeVolumeId(name);
    ExpectTheBuildTakes(proposal, name);
    const QString derived = DeriveVolumeId(name);
    if (!derived.isEmpty() && !HasUnsupportedChar(derived)) {
        EXPECT_EQ(proposal, derived) << name.toStdString();
    }
}

TEST(DeriveVolumeIdTest, EveryRuleOnNamesAsUsersGiveThem)
{
    const struct
    {
        const char* name;
        QString id;
    } cases[] = {
        {"My Movie (2004)", "MY_MOVIE_2004"},
        {"Ärger & Co.", "AERGER___CO_"},
        {"Straße-1", "STRASSE_1"},
        {"a b-c.d+e&f", "A_B_C_D_E_F"},
        {"öäüÖÄÜß", "OEAEUEOEAEUESS"},
        {"a#(b)[c]{d},e\\f", "ABCDEF"},
        {"[#]", ""},
        {"()", ""},
        // Fewer than 2 characters, or a colon anywhere: the default.
        {"x", "NO_NAME"},
        {"", "NO_NAME"},
        {"D:", "NO_NAME"},
        {"Movie: Part 2", "NO_NAME"},
        {"abc:", "NO_NAME"},
        // Other characters pass; small letters from outside the code page keep their case.
        {"it's!/x", "IT'S!/X"},
        {"Café", "CAFÉ"},
        {"aωжµ", "Aωжµ"},
        // As some Mac file systems store names: the letter, then the combining mark.
        {"A\u0308rger", "AERGER"},
        {"a\u0308rger u\u0308ber O\u0308l", "AERGER_UEBER_OEL"},
        {"Cafe\u0301", "CAFÉ"},
        // Lengths count composed characters, not bytes nor UTF-16 units.
        {"A\u0308", "NO_NAME"},
        {"é", "NO_NAME"},
        {"\U0001F600", "NO_NAME"},
        {"éé", "ÉÉ"},
        // The expansion is cut after the replacements.
        {"ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ", QString("AE").repeated(16)},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Derive(test.name), test.id) << test.name;
        ExpectProposalOf(QString::fromUtf8(test.name));
    }

    EXPECT_EQ(DeriveVolumeId(QString(40, QChar(0xE9))), QString(32, QChar(0xC9)));
    EXPECT_EQ(DeriveVolumeId(QString(20, QChar(0xDF))), QString(32, QLatin1Char('S')));
    QString wide;
    for (int i = 0; i < 33; ++i)
        wide += QString::fromUtf8("\U0001F600");
    const QString wideCut = DeriveVolumeId(wide);
    EXPECT_EQ(wideCut.toUcs4().size(), 32);
    EXPECT_EQ(wideCut, wide.left(64));
}

TEST(ProposeVolumeIdTest, WhatTheBuildRefusesBecomesAnUnderscore)
{
    const struct
    {
        const char* name;
        QString id;
    } cases[] = {
        {"Ocean's Eleven", "OCEAN_S_ELEVEN"},
        {"it's!/x", "IT_S__X"},
        {"Café au lait", "CAF__AU_LAIT"},
        {"5 € Film", "5___FILM"},
        {"東京物語 1953", "_____1953"},
        // A character beyond the BMP is one character: one underscore.
        {"Party \U0001F389", "PARTY__"},
        // Nothing of the name's own left: the default, never an empty label.
        {"東京物語", "NO_NAME"},
        {"!!", "NO_NAME"},
        {"€ !", "NO_NAME"},
        {"\U0001F389\U0001F389", "NO_NAME"},
        {"[#]", "NO_NAME"},
        {"()", "NO_NAME"},
        // The name's own underscores, and labels that work today, stay.
        {"__", "__"},
        {"a(", "A"},
        {"My Movie (2004)", "MY_MOVIE_2004"},
        {"x", "NO_NAME"},
    };
    for (const auto& test : cases) {
        const QString name = QString::fromUtf8(test.name);
        EXPECT_EQ(ProposeVolumeId(name), test.id) << test.name;
        ExpectProposalOf(name);
    }

    for (const char refused : std::string_view(R"(!"$=@~%*?|;'`^<>)")) {
        const QString name = QStringLiteral("a%1b").arg(QLatin1Char(refused));
        EXPECT_EQ(ProposeVolumeId(name), "A_B") << refused;
        ExpectProposalOf(name);
    }

    // Cut to 32 characters first: 32 UTF-16 units, not the 64 of the emoji.
    QString wide = QStringLiteral("A");
    for (int i = 0; i < 40; ++i)
        wide += QString::fromUtf8("\U0001F389");
    EXPECT_EQ(ProposeVolumeId(wide), QStringLiteral("A") + QString(31, QLatin1Char('_')));
    ExpectProposalOf(wide);
    ExpectProposalOf(wide.mid(1));
    ExpectProposalOf(QString(40, QChar(0x6771)));
}

TEST(DeriveVolumeIdTest, InvalidUtf8BytesAreOneCharacterEach)
{
    // File names arrive through the file name decoding; a stray byte becomes
    // one replacement character, which passes through.
    const QString name = QFile::decodeName(QByteArray("a\xff", 2));
    const QString derived = DeriveVolumeId(name);
    ASSERT_EQ(derived.size(), 2);
    EXPECT_EQ(derived.at(0), QLatin1Char('A'));
    EXPECT_NE(derived, "NO_NAME");
    EXPECT_EQ(ProposeVolumeId(name), "A_");

    const QString surrogate(QChar(0xD800));
    EXPECT_EQ(DeriveVolumeId(surrogate), "NO_NAME");
    EXPECT_EQ(DeriveVolumeId(surrogate + surrogate).size(), 2);
    EXPECT_EQ(ProposeVolumeId(surrogate + surrogate), "NO_NAME");
    EXPECT_EQ(ProposeVolumeId(surrogate + "ab"), "_AB");
}

TEST(DeriveVolumeIdTest, DerivingTheOutputAgainChangesNothing)
{
    const char* names[] = {"My Movie (2004)", "Ärger & Co.", "Straße-1", "d:",     "abc",
                           "ÿ-œ+š ž",         "Ab!",         "x",        "NO_NAME"};
    for (const char* name : names) {
        const QString once = Derive(name);
        EXPECT_EQ(DeriveVolumeId(once), once) << name;
    }
    // Fewer than 2 characters left: the next pass gives the default.
    EXPECT_EQ(Derive("a("), "A");
    EXPECT_EQ(Derive("A"), "NO_NAME");
    EXPECT_EQ(DeriveVolumeId(Derive("()")), "NO_NAME");
}

TEST(Windows1252CaseTest, OnlySmallLettersOfTheCodePageBecomeCapitals)
{
    EXPECT_EQ(UpperWindows1252(QString::fromUtf8("abcxyz")), "ABCXYZ");
    EXPECT_EQ(UpperWindows1252(QString::fromUtf8("àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ")),
              QString::fromUtf8("ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ"));
    EXPECT_EQ(UpperWindows1252(QString::fromUtf8("šœžÿ")), QString::fromUtf8("ŠŒŽŸ"));
    // ß and µ have no capital in the code page; ÷ is no letter; letters from
    // outside the code page keep their case even where Unicode has capitals.
    const QString unchanged = QString::fromUtf8("ß÷µ ABC 019 _!ωжıſ\U0001F600");
    EXPECT_EQ(UpperWindows1252(unchanged), unchanged);
}

} // namespace
