// Finding a device's stable by-id link, as the system makes them: relative links to device
// nodes, beside links to other devices and links whose device has gone.

#include "board/port_inventory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A real character device that nobody else uses: a pseudo-terminal's slave.
class PtyDevice {
public:
    PtyDevice() : fd(posix_openpt(O_RDWR | O_NOCTTY)) {
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0) {
            path = QString::fromLocal8Bit(ptsname(fd));
        }
    }
    ~PtyDevice() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;
    int fd;
    QString path;
};

// The device's path as seen from `folder`, the way udev writes by-id links ("../../ttyUSB0").
QString RelativeTo(const QString& folder, const QString& device) {
    return QDir(folder).relativeFilePath(device);
}

TEST(StableLink, FindsTheLinkOfEachDeviceAmongOthers) {
    const PtyDevice first;
    const PtyDevice second;
    ASSERT_FALSE(first.path.isEmpty());
    ASSERT_FALSE(second.path.isEmpty());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString firstLink =
        folder.filePath(QStringLiteral("usb-FTDI_FT232R_A50285BI-if00-port0"));
    const QString secondLink = folder.filePath(QStringLiteral("usb-Prolific_PL2303-if00-port0"));
    ASSERT_TRUE(QFile::link(RelativeTo(folder.path(), first.path), firstLink));
    ASSERT_TRUE(QFile::link(second.path, secondLink));
    // A device that was unplugged leaves no link behind in practice, but a stale one is no match.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/ttyUSB-gone"),
                            folder.filePath(QStringLiteral("usb-gone"))));

    EXPECT_EQ(StableLinkIn(folder.path(), first.path), firstLink);
    EXPECT_EQ(StableLinkIn(folder.path(), second.path), secondLink);
    // A device path that is itself a link (an earlier assignment, say) leads to the same device.
    QTemporaryDir elsewhere;
    const QString alias = elsewhere.filePath(QStringLiteral("ttyAlias"));
    ASSERT_TRUE(QFile::link(second.path, alias));
    EXPECT_EQ(StableLinkIn(folder.path(), alias), secondLink);
}

TEST(StableLink, NoneWithoutALinkOrWithoutTheFolder) {
    const PtyDevice device;
    ASSERT_FALSE(device.path.isEmpty());
    QTemporaryDir empty;
    EXPECT_TRUE(StableLinkIn(empty.path(), device.path).isEmpty());
    EXPECT_TRUE(
        StableLinkIn(empty.filePath(QStringLiteral("no-such-folder")), device.path).isEmpty());
    // A device that is not there matches nothing, not even a stale link to its name.
    const QString missing = QStringLiteral("/dev/ttyUSB-gone");
    ASSERT_TRUE(QFile::link(missing, empty.filePath(QStringLiteral("usb-gone"))));
    EXPECT_TRUE(StableLinkIn(empty.path(), missing).isEmpty());
}

} // namespace
