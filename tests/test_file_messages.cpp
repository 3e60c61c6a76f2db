// Why a file or folder cannot be written, in the words the window and the command line show.
// Reasons that root would not meet (a folder of another user) are rows of the unusable-home
// test, which runs as nobody; the missing folder is a row of the window's failed save.

#include "files/make_folder.h"
#include "files/write_failure.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(WriteFailure, ReasonsAUserCanActOn) {
    QTemporaryDir root;
    const QString file = root.filePath(QStringLiteral("un_file"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    const std::pair<std::optional<QString>, QString> cases[] = {
        {MakeFolder(file + QStringLiteral("/a/b")),
         file + QStringLiteral(" non \u00e8 una cartella")},
        {FolderWriteFailure(file), file + QStringLiteral(" non \u00e8 una cartella")},
        {ForeseenWriteFailure(root.path()), QStringLiteral("il percorso \u00e8 una cartella")},
        {ForeseenWriteFailure(QString()), QStringLiteral("il nome del file \u00e8 vuoto")},
        {WriteFailureReason(file, QStringLiteral("File too large")),
         QStringLiteral("il file \u00e8 troppo grande (File too large)")},
        {WriteFailureReason(file, QStringLiteral("Disco rotto")), QStringLiteral("Disco rotto")},
        {WriteFailureReason(file), QStringLiteral("la scrittura non \u00e8 riuscita")},
    };
    for (const auto& [told, expected] : cases) {
        EXPECT_EQ(told.value_or(QStringLiteral("<none>")).toStdString(), expected.toStdString());
    }
    EXPECT_FALSE(MakeFolder(root.filePath(QStringLiteral("a/b"))));
    EXPECT_FALSE(ForeseenWriteFailure(file));
}
