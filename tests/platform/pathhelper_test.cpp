#include "platform/pathhelper.h"

#include <gtest/gtest.h>

namespace {

struct PathRow
{
    const char* input;
    const char* folder;
    const char* last;
    const char* stripped;
};

// The cutting rules with the backslash as separator, as on Windows.
const PathRow kBackslashRows[] = {
    {"C:\\Tools\\app.exe", "C:\\Tools", "app.exe", "C:\\Tools\\app"},
    {"D:\\DVD\\My Movie\\", "D:\\DVD\\My Movie", "My Movie", "D:\\DVD\\My Movie\\"},
    {"D:\\", "D:", "", "D:\\"},
    {"movie.iso", "", "", "movie"},
    {"C:\\my.dir\\file", "C:\\my.dir", "file", "C:\\my"},
    {"archive.tar.gz", "", "", "archive.tar"},
    {".hidden", "", "", ""},
    {"", "", "", ""},
    {"D:/DVD/Movie", "", "", "D:/DVD/Movie"},
    {"D:\\DVD\\Movie\\\\\\", "D:\\DVD\\Movie\\\\", "Movie", "D:\\DVD\\Movie\\\\\\"},
};

// The same cases on POSIX, where the slash separates and a backslash does not.
const PathRow kSlashRows[] = {
    {"/opt/tools/app.exe", "/opt/tools", "app.exe", "/opt/tools/app"},
    {"/dvd/My Movie/", "/dvd/My Movie", "My Movie", "/dvd/My Movie/"},
    {"/", "", "", "/"},
    {"movie.iso", "", "", "movie"},
    {"/my.dir/file", "/my.dir", "file", "/my"},
    {"archive.tar.gz", "", "", "archive.tar"},
    {".hidden", "", "", ""},
    {"", "", "", ""},
    {"D:\\DVD\\Movie", "", "", "D:\\DVD\\Movie"},
    {"/dvd/Movie///", "/dvd/Movie//", "Movie", "/dvd/Movie///"},
    {"/home/anna/Filme/Ärger", "/home/anna/Filme", "Ärger", "/home/anna/Filme/Ärger"},
};

void CheckRows(const PathRow* begin, const PathRow* end, QChar separator)
{
    for (const PathRow* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->input);
        const QString input = QString::fromUtf8(row->input);
        EXPECT_EQ(FolderOf(input, separator), QString::fromUtf8(row->folder));
        EXPECT_EQ(LastComponentOf(input, separator), QString::fromUtf8(row->last));
        EXPECT_EQ(StripExtension(input), QString::fromUtf8(row->stripped));
    }
}

TEST(PathHelper, CutsAtTheBackslash)
{
    CheckRows(std::begin(kBackslashRows), std::end(kBackslashRows), QLatin1Char('\\'));
}

TEST(PathHelper, CutsAtTheSlash)
{
    CheckRows(std::begin(kSlashRows), std::end(kSlashRows), QLatin1Char('/'));
}

TEST(PathHelper, NativeSeparatorIsTheSlashOnPosix)
{
    EXPECT_EQ(NativeSeparator, QLatin1Char('/'));
    EXPECT_EQ(FolderOf(QStringLiteral("/usr/bin/isomint")), "/usr/bin");
    EXPECT_EQ(JoinPath(QStringLiteral("/opt/isomint-stencil"), QStringLiteral("mkisofs")),
              "/opt/isomint-stencil/mkisofs");
}

} // namespace
