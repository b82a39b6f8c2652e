#include "burn/imagechecksum.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ImageFile
{
    QString name;
    QByteArray bytes;
    bool present = true;
};

struct ChecksumRow
{
    const char* name;
    QList<ImageFile> files; // in the test folder, in the list's order
    QString list;           // the checksum file; a stale one is there before
    QByteArray expected;    // the list written; empty: none, for the reason below
    QString problem{};
    bool listIsFolder = false;
};

QByteArray Sha256Hex(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The real sha256sum, run where the list is, as a user would check it.
int Sha256SumCheck(const QString& list)
{
    QProcess check;
    check.setWorkingDirectory(QFileInfo(list).path());
    check.start(QStringLiteral("sha256sum"), {QStringLiteral("--check"), QStringLiteral("--strict"),
                                              QFileInfo(list).fileName()});
    return check.waitForFinished(60000) && check.exitStatus() == QProcess::NormalExit
               ? check.exitCode()
               : -1;
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Lines in the list's order, names as seen from its folder and escaped as
// sha256sum escapes them; an older list goes whole. When one image file
// cannot be read or the list cannot be saved, nothing is left that names the
// replaced files' digests.
TEST(ImageChecksum, ListsEveryFileForSha256SumOrSaysWhyNot)
{
    const QByteArray abc = Sha256Hex("abc");
    // Past two read blocks and one byte into a third.
    const QByteArray large(5 * 1024 * 1024 + 1, 'x');
    const QList<ChecksumRow> rows = {
        {"one image",
         {{"out.iso", "abc"}},
         "out.iso.sha256",
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  out.iso\n"},
        {"chunks in order",
         {{"out.iso_00", ""}, {"out.iso_01", "abc"}},
         "out.iso.sha256",
         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855  out.iso_00\n" + abc +
             "  out.iso_01\n"},
        {"larger than a read block",
         {{"large.iso", large}},
         "large.iso.sha256",
         Sha256Hex(large) + "  large.iso\n"},
        {"a list in another folder",
         {{"out.iso", "abc"}},
         "sums/out.iso.sha256",
         abc + "  ../out.iso\n"},
        {"names sha256sum escapes",
         {{"a\\b\nc\rd.iso", "abc"}, {"plain name.iso", "abc"}},
         "odd.sha256",
         "\\" + abc + "  a\\\\b\\nc\\rd.iso\n" + abc + "  plain name.iso\n"},
        {"an image file missing",
         {{"out.iso_00", "abc"}, {"out.iso_01", "", false}},
         "out.iso.sha256",
         "",
         "The image file \"DIR/out.iso_01\" could not be read: "},
        {"no folder for the list",
         {{"out.iso", "abc"}},
         "missing/out.iso.sha256",
         "",
         "The checksum file \"DIR/missing/out.iso.sha256\" could not be written: "},
        {"a folder under the list's name",
         {{"out.iso", "abc"}},
         "out.iso.sha256",
         "",
         "The checksum file \"DIR/out.iso.sha256\" could not be written: ",
         true},
    };
    for (const ChecksumRow& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QStringList files;
        for (const ImageFile& image : row.files) {
            files << dir.filePath(image.name);
            QFile file(files.last());
            ASSERT_TRUE(!image.present || (file.open(QIODevice::WriteOnly) &&
                                           file.write(image.bytes) == image.bytes.size()));
        }
        const QString list = dir.filePath(row.list);
        QDir().mkpath(dir.filePath("sums"));
        if (row.listIsFolder) {
            ASSERT_TRUE(QDir().mkpath(list));
        } else if (QFileInfo(list).dir().exists()) {
            QFile stale(list);
            ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && stale.write("stale digests\n") > 0);
        }

        const QString problem = WriteImageChecksums(files, list);

        if (row.expected.isEmpty()) {
            EXPECT_TRUE(problem.startsWith(QString(row.problem).replace("DIR", dir.path())))
                << problem.toStdString();
            EXPECT_FALSE(QFileInfo(list).isFile());
            EXPECT_EQ(QFileInfo(list).isDir(), row.listIsFolder);
        } else {
            EXPECT_EQ(problem, QString());
            EXPECT_EQ(Contents(list), row.expected);
            EXPECT_EQ(Sha256SumCheck(list), 0);
        }
        // Nothing left over from the way the list is saved.
        EXPECT_EQ(
            QDir(QFileInfo(list).path()).entryList({"*.sha256.*"}, QDir::Files | QDir::Hidden),
            QStringList());
    }
}

} // namespace
