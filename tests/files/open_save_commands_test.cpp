#include "files/open_save_commands.h"
#include "files/layout_fixtures.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

namespace quarvel {
namespace {

TEST(FileCommands, TheChosenTypeNotTheExtensionSelectsTheReader)
{
    QTemporaryDir dir;
    const QString qvo = test::writeTestFile(dir.filePath(QStringLiteral("old.qvd")), test::taggedFile({}).str());
    ApplicationFiles app;
    const OpenOutcome asCurrent = app.open(qvo, OpenFileType::Current, UserLocale::point());
    EXPECT_FALSE(asCurrent.document);
    EXPECT_EQ(asCurrent.message, QStringLiteral("Invalid file"));
    EXPECT_TRUE(app.currentFileName.isEmpty()) << "a failed open changes nothing";

    const OpenOutcome asSecond = app.open(qvo, OpenFileType::SecondVersion, UserLocale::point());
    ASSERT_TRUE(asSecond.document);
    EXPECT_EQ(asSecond.layout, DocumentLayout::Tagged);
    EXPECT_EQ(app.currentFileName, qvo);
    EXPECT_EQ(asSecond.document->caption, qvo);
    EXPECT_FALSE(asSecond.document->modified);
    EXPECT_EQ(asSecond.document->table.cell(0, 1), QStringLiteral("Group label"));
}

TEST(FileCommands, SaveAsWritesWithTheExtensionAndRemembersTheChosenName)
{
    QTemporaryDir dir;
    ApplicationFiles app;
    Document doc(UserLocale::point());
    doc.modified = true;
    const QString chosen = dir.filePath(QStringLiteral("rocks"));
    const SaveResult saved = app.saveAs(doc, chosen);
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(QFileInfo::exists(chosen + QLatin1String(".qvd")));
    EXPECT_EQ(app.currentFileName, chosen);
    EXPECT_EQ(doc.caption, chosen);
    EXPECT_FALSE(doc.modified);

    doc.modified = true;
    EXPECT_FALSE(app.saveAs(doc, dir.filePath(QStringLiteral("missing/rocks"))).ok);
    EXPECT_EQ(app.currentFileName, chosen);
    EXPECT_EQ(doc.caption, chosen);
    EXPECT_TRUE(doc.modified);
}

TEST(FileCommands, CommandLineOpensAnyExtensionAsADocumentFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.ter"));
    ASSERT_TRUE(saveDocument(Document(UserLocale::point()), path + QLatin1String(".qvd")).ok);
    QFile::rename(path + QLatin1String(".qvd"), path);
    ApplicationFiles app;
    EXPECT_TRUE(app.openFromCommandLine(path, UserLocale::point()).document);
    EXPECT_EQ(app.currentFileName, path);
}

} // namespace
} // namespace quarvel
