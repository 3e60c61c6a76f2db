// Pictures saved by their file's extension: the format read from the name, each format written
// whole, and a save that fails telling why and leaving what was there before.

#include "picture/picture_file.h"
#include "tests/support/file_bytes.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QSize kSize(40, 30);

void PaintSquare(QPainter& painter) {
    painter.fillRect(QRect(10, 10, 10, 10), Qt::red);
}

} // namespace

TEST(PictureFile, FormatByTheExtensionInAnyCase) {
    const struct {
        const char* path;
        std::optional<PictureFormat> format;
    } cases[] = {
        {"griglia.png", PictureFormat::Png},
        {"/tmp/a.b/GRIGLIA.Svg", PictureFormat::Svg},
        {"livelli.PDF", PictureFormat::Pdf},
        {"griglia.jpg", std::nullopt},
        {"griglia.png.txt", std::nullopt},
        {"/tmp/svg.d/griglia", std::nullopt}, // a folder's extension is not the file's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureFormatOf(QString::fromUtf8(c.path)), c.format) << c.path;
    }
}

TEST(PictureFile, EachFormatIsWrittenWhole) {
    const QTemporaryDir folder;
    const struct {
        const char* name;
        PictureFormat format;
        const char* start;
        const char* end;
    } cases[] = {
        {"g.png", PictureFormat::Png, "\x89PNG", "IEND\xae\x42\x60\x82"},
        {"g.svg", PictureFormat::Svg, "<?xml", "</svg>\n"},
        {"g.pdf", PictureFormat::Pdf, "%PDF", "%%EOF\n"},
    };
    for (const auto& c : cases) {
        const QString path = folder.filePath(QString::fromUtf8(c.name));
        QString error;
        EXPECT_TRUE(SavePicture(path, c.format, kSize, PaintSquare, &error)) << c.name;
        const QByteArray bytes = GetFile(path);
        EXPECT_TRUE(bytes.startsWith(c.start) && bytes.endsWith(c.end)) << c.name;
    }
    // The PNG has the size asked for (its pixels are the canvas's: tst_cli_preview).
    EXPECT_EQ(QImage(folder.filePath(QStringLiteral("g.png"))).size(), kSize);
}

TEST(PictureFile, AFailedSaveTellsWhyAndLeavesWhatWasThere) {
    const QTemporaryDir folder;
    QString error;
    const QString missing = folder.filePath(QStringLiteral("manca/g.png"));
    EXPECT_FALSE(SavePicture(missing, PictureFormat::Png, kSize, PaintSquare, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));

    // A picture that cannot be painted (it has no pixels) over an earlier file.
    const QString existing = folder.filePath(QStringLiteral("g.png"));
    ASSERT_TRUE(PutFile(existing, "prima"));
    EXPECT_FALSE(SavePicture(existing, PictureFormat::Png, QSize(), PaintSquare, &error));
    EXPECT_EQ(error, QStringLiteral("il disegno non si può completare"));
    EXPECT_EQ(GetFile(existing), "prima");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("g.png")});
}
