// The user's settings store written one key at a time: the user's own lines stay byte for byte,
// the file keeps its permissions, and a store that cannot be written says so and stays as it
// was (tried as an unprivileged user: root may write anything).

#include "board/port_settings.h"
#include "tests/support/as_nobody.h"
#include "tests/support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// A value that is not UTF-8, a value of a type this program cannot load and a list: QSettings
// would write them back as U+FFFD, "@Invalid()" and "a, b" quoted.
const QByteArray kHandWritten =
    "[mine]\nnote=caf\xe9\nshade=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff)\n"
    "\n[ports]\nCOM8=a, b\n";

mode_t ModeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace

class TstPortSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void oneKeyChangesOneLine_data();
    void oneKeyChangesOneLine();
    void storeThatCannotBeWrittenStaysAsItWas_data();
    void storeThatCannotBeWrittenStaysAsItWas();

private:
    std::optional<QTemporaryDir> folder;
    QString file;
};

void TstPortSettings::init() {
    folder.emplace();
    QVERIFY(folder->isValid());
    QSettings::setDefaultFormat(QSettings::NativeFormat);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
    file = StoredPortSettings().Location();
    QVERIFY(file.startsWith(folder->path()));
}

void TstPortSettings::oneKeyChangesOneLine_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("after");
    // Where a key goes in the text is unit-tested (test_ini_text); here the store's file.
    QTest::newRow("the list replaced by one path")
        << "ports/COM8"
        << "/dev/ttyUSB0" << QByteArray(kHandWritten).replace("COM8=a, b", "COM8=/dev/ttyUSB0");
    QTest::newRow("a key removed") << "ports/COM8"
                                   << "" << QByteArray(kHandWritten).replace("COM8=a, b\n", "");
    // Written as QSettings writes it, so that it reads back the same.
    QTest::newRow("a path with a comma") << "ports/COM3"
                                         << "/dev/a,b" << kHandWritten + "COM3=\"/dev/a,b\"\n";
}

void TstPortSettings::oneKeyChangesOneLine() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QByteArray, after);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()) && PutFile(file, kHandWritten));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    StoredPortSettings store;

    QVERIFY(store.Write(key, text).Stored());

    QCOMPARE(GetFile(file), after);
    QCOMPARE(ModeOf(file), mode_t{0640});
    const std::optional<QVariant> value = store.Value(key);
    QCOMPARE(value.has_value(), !text.isEmpty());
    QCOMPARE(value.value_or(QVariant()).toString(), text);
}

void TstPortSettings::storeThatCannotBeWrittenStaysAsItWas_data() {
    QTest::addColumn<bool>("blockedFolder"); // the store's folder is a file: not even root writes
    QTest::newRow("a file the user may not write") << false;
    QTest::newRow("a folder that is a file") << true;
}

void TstPortSettings::storeThatCannotBeWrittenStaysAsItWas() {
    QFETCH(bool, blockedFolder);
    const QString storeFolder = QFileInfo(file).absolutePath();
    if (blockedFolder) {
        QVERIFY(PutFile(storeFolder, "not a folder"));
    } else {
        QVERIFY(QDir().mkpath(storeFolder) && PutFile(file, kHandWritten));
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        // Nobody else may make files beside it either, but everyone may look.
        for (const QString& path : {folder->path(), storeFolder}) {
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0555) == 0);
        }
    }
    const auto restore = qScopeGuard([&] {
        ::chmod(QFile::encodeName(folder->path()).constData(), 0755);
        ::chmod(QFile::encodeName(storeFolder).constData(), 0755);
    });

    AsNobody([] {
        const SettingsWrite written =
            StoredPortSettings().Write(QStringLiteral("ports/COM3"), QStringLiteral("/dev/pts/7"));
        QVERIFY(!written.Stored() && !written.reason.isEmpty());
    });

    QCOMPARE(GetFile(blockedFolder ? storeFolder : file),
             blockedFolder ? QByteArray("not a folder") : kHandWritten);
    QVERIFY(!StoredPortSettings().Value(QStringLiteral("ports/COM3")).has_value());
}

QTEST_GUILESS_MAIN(TstPortSettings)
#include "tst_port_settings.moc"
