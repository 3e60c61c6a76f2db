// Opening and saving configuration files on the real window: the dialogs, what a file
// sets, refusals, failed saves, the title and the five sample buttons.

#include "files/dm6_file.h"
#include "files/format/dm6_format.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kOpen = QStringLiteral("cmdFileOpen_0"), kSave = QStringLiteral("cmdFileSave");

QByteArray StartUpFile() {
    QByteArray text = "** Miravel6 Data File **\r\n\r\n[lblOutName]\r\n";
    for (int o = 0; o < 10; ++o) {
        text += "0" + QByteArray::number(o) + "=Uscita " + QByteArray::number(o + 1) + "\r\n";
    }
    text += "\r\n[lblFaseName]\r\n";
    for (int p = 0; p < 8; ++p) {
        text += "0" + QByteArray::number(p) + "=Fase " + QByteArray::number(p + 1) + "\r\n";
    }
    text += "\r\n[cboFaseTime]\r\n";
    for (int p = 0; p < 8; ++p) {
        text += "0" + QByteArray::number(p) + "=1\r\n";
    }
    text += "\r\n[recEffSet]\r\n";
    for (int i = 0; i < 80; ++i) {
        text += QByteArray::number(i).rightJustified(2, '0') + "=00;00;0;0\r\n";
    }
    return text;
}

// A configuration that differs from the start-up one in every kind of field.
Configuration BusyConfiguration() {
    Configuration config;
    for (std::size_t k = 0; k < 10; ++k) {
        config.outNames[k] = "Luce " + std::to_string(k);
        config.faseNames[k % 8] = "Momento " + std::to_string(k % 8);
    }
    config.outNames[0] = "Citt\u00e0 \u20ac";
    config.outNames[9] = "  Sole  ";
    config.faseNames[7] = " ";
    config.faseCodes = {0, 25, 1, 63, 22, 31, 6, 10};
    for (int i = 0; i < 80; ++i) {
        config.recEffSet[static_cast<std::size_t>(i)] = {
            static_cast<std::uint8_t>(i % 16), static_cast<std::uint8_t>((i * 7) % 16),
            static_cast<std::uint8_t>(i % 8), i % 3 == 0 ? kTrue : kFalse};
    }
    return config;
}

QByteArray BusyFile() {
    return QByteArray::fromStdString(WriteDm6(BusyConfiguration()));
}

// Everything a file could change, as the window shows it.
QStringList WhatIsShown(WindowFixture& f) {
    QStringList shown = {f.window().windowTitle(),
                         f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText()};
    for (int k = 0; k < 10; ++k) {
        shown << f.Child<QLabel>("lblOutName", k)->text();
    }
    for (int p = 0; p < 8; ++p) {
        shown << f.Child<QLabel>("lblFaseName", p)->text()
              << f.Child<QComboBox>("cboFaseTime", p)->toolTip();
    }
    for (int i = 0; i < 80; ++i) {
        shown << f.Child<QLabel>("lblEffMode", i)->text() +
                     f.Child<QLabel>("lblEffMode", i)->toolTip();
    }
    return shown;
}

QString OpenFailure(const QString& path) {
    return QStringLiteral("Impossibile aprire il file:\r\n") + path +
           QStringLiteral("\r\noppure dati non validi");
}

// Writes beyond this many bytes fail while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*oldHandler)(int);
};

} // namespace

class TstFiles : public QObject {
    Q_OBJECT

private slots:
    void dialogsAndTheirFolder();
    void openSetsEveryFieldAndSaveWritesItBack();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void nameTheFileCannotHoldIsNotSaved();
    void titleShowsThePath_data();
    void titleShowsThePath();
    void samplesLoadThroughTheirButtons_data();
    void samplesLoadThroughTheirButtons();
};

void TstFiles::dialogsAndTheirFolder() {
    WindowFixture f;
    frmMain& w = f.Show();
    const QStringList before = WhatIsShown(f);
    f.ClickButton(kOpen); // cancelled
    f.ClickButton(kOpen); // cancelled again: still the program folder
    const QString path = f.FolderPath() + QStringLiteral("/start.dm6");
    f.ui.saveAnswers.push_back(path);
    f.ClickButton(kSave);
    QCOMPARE(f.ui.openRequests.size(), size_t{2});
    const QString filter =
        QStringLiteral("File dati miravel5 (*.dm6)|*.dm6|Tutti i file (*.*)|*.*");
    for (const FileDialogRequest& request : f.ui.openRequests) {
        QCOMPARE(request.title, QStringLiteral("Apri file configurazione"));
        QCOMPARE(request.filter, filter);
        QCOMPARE(request.defaultExt, QStringLiteral(".dat"));
        QCOMPARE(request.initialDir, f.FolderPath());
        QVERIFY(request.mustExist && !request.confirmOverwrite);
    }
    const FileDialogRequest& request = f.ui.saveRequests.at(0);
    QCOMPARE(request.title, QStringLiteral("Salva configurazione su file"));
    QCOMPARE(request.filter, filter);
    QCOMPARE(request.defaultExt, QStringLiteral(".dat"));
    QCOMPARE(request.initialDir, f.FolderPath());
    QVERIFY(!request.mustExist && request.confirmOverwrite);

    // The start-up configuration, byte for byte.
    QCOMPARE(f.ReadProgramFile(QStringLiteral("start.dm6")), StartUpFile());
    QCOMPARE(StartUpFile().count("\r\n"), 115);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    QCOMPARE(WhatIsShown(f).mid(1), before.mid(1));

    // After a confirmed dialog neither dialog forces the program folder; cancelling changes
    // nothing.
    f.ClickButton(kOpen);
    f.ClickButton(kSave);
    QCOMPARE(f.ui.openRequests.back().initialDir, QString());
    QCOMPARE(f.ui.saveRequests.back().initialDir, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    QVERIFY(f.ui.messages.empty());
}

void TstFiles::openSetsEveryFieldAndSaveWritesItBack() {
    WindowFixture f;
    frmMain& w = f.Show();
    const Configuration config = BusyConfiguration();
    QVERIFY(f.WriteProgramFile(QStringLiteral("busy.dm6"), BusyFile()));
    const QString path = f.FolderPath() + QStringLiteral("/busy.dm6");
    f.ui.openAnswers.push_back(path);
    f.ClickButton(kOpen);
    QVERIFY(f.ui.messages.empty());

    for (std::size_t k = 0; k < 10; ++k) {
        QCOMPARE(f.Child<QLabel>("lblOutName", int(k))->text(),
                 QString::fromStdString(config.outNames[k])); // accents and blanks kept
    }
    for (std::size_t p = 0; p < 8; ++p) {
        QCOMPARE(f.Child<QLabel>("lblFaseName", int(p))->text(),
                 QString::fromStdString(config.faseNames[p]));
        QCOMPARE(f.Child<QComboBox>("cboFaseTime", int(p))->currentIndex(), config.faseCodes[p]);
    }
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 1)->currentText(), QStringLiteral("30 min"));
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 0)->toolTip(),
             QStringLiteral("Tempo fase temporale 1 - Impulsi per espansione: 0"));
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 3)->toolTip(),
             QStringLiteral("Tempo fase temporale 4 - Impulsi per espansione: 8448"));
    QVERIFY(w.EffSet() == config.recEffSet);
    // The grid was redrawn from the file: phase 1 is "OFF", cell 11 has flicker 3 only.
    QVERIFY(f.Child<QLabel>("lblEffMode", 0)->isHidden());
    QCOMPARE(f.Child<QLabel>("lblEffMode", 11)->text(), QStringLiteral("T3 -"));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 9)->text(), QStringLiteral("T1 R"));
    QCOMPARE(w.EdataImage()[3], 63);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);

    const QString copy = f.FolderPath() + QStringLiteral("/copy.dm6");
    f.ui.saveAnswers.push_back(copy);
    f.ClickButton(kSave);
    QCOMPARE(f.ui.saveRequests.back().initialDir, QString()); // an open was confirmed
    QCOMPARE(f.ReadProgramFile(QStringLiteral("copy.dm6")), BusyFile());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + copy);

    // A duration chosen afterwards means the grid may differ from every file.
    f.Child<QComboBox>("cboFaseTime", 2)->setCurrentIndex(5);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
}

void TstFiles::refusedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = StartUpFile();
    auto replaced = [&good](const char* from, const char* to) {
        QByteArray bytes = good;
        const qsizetype at = bytes.indexOf(from);
        Q_ASSERT(at >= 0 && bytes.indexOf(from, at + 1) < 0);
        return bytes.replace(at, qsizetype(qstrlen(from)), to);
    };
    QTest::newRow("eleventh output")
        << replaced("09=Uscita 10\r\n", "09=Uscita 10\r\n10=Altra\r\n");
    QTest::newRow("one-digit codes") << replaced("05=00;00;0;0", "05=1;2;3;0");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("missing file") << QByteArray("(none)");
    QTest::newRow("a folder") << QByteArray("(folder)");
    QTest::newRow("one byte over 1 MiB")
        << good + "*" + QByteArray(kDm6MaxFileBytes - good.size() - 2, 'c') + "\r\n";
}

void TstFiles::refusedFileChangesNothing() {
    QFETCH(QByteArray, bytes);
    WindowFixture f;
    frmMain& w = f.Show();
    // A valid configuration padded with a comment line to exactly the size limit still loads.
    QByteArray big = BusyFile();
    big += "*" + QByteArray(kDm6MaxFileBytes - big.size() - 3, 'c') + "\r\n";
    QCOMPARE(big.size(), kDm6MaxFileBytes);
    QVERIFY(f.WriteProgramFile(QStringLiteral("big.dm6"), big));
    f.ui.openAnswers.push_back(f.FolderPath() + QStringLiteral("/big.dm6"));
    f.ClickButton(kOpen);
    QVERIFY(f.ui.messages.empty());
    QCOMPARE(f.Child<QLabel>("lblOutName", 9)->text(), QStringLiteral("  Sole  "));
    const QStringList before = WhatIsShown(f);

    const QString path = f.FolderPath() + QStringLiteral("/bad.dm6");
    if (bytes == "(folder)") {
        QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("bad.dm6")));
    } else if (bytes != "(none)") {
        QVERIFY(f.WriteProgramFile(QStringLiteral("bad.dm6"), bytes));
    }
    f.ui.openAnswers.push_back(path);
    f.ClickButton(kOpen);
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, OpenFailure(path));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.ui.messages[0].caption, QStringLiteral("Miravel6"));
    QCOMPARE(WhatIsShown(f), before);
    QVERIFY(w.EffSet() == BusyConfiguration().recEffSet);
}

void TstFiles::failedSaveKeepsTheOldFile_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("writeFails");
    QTest::newRow("folder missing") << QStringLiteral("missing/x.dm6") << false;
    QTest::newRow("target is a folder") << QStringLiteral("adir") << false;
    QTest::newRow("disk full part-way") << QStringLiteral("old.dm6") << true;
}

void TstFiles::failedSaveKeepsTheOldFile() {
    QFETCH(QString, target);
    QFETCH(bool, writeFails);
    WindowFixture f;
    frmMain& w = f.Show();
    QDir folder(f.FolderPath());
    QVERIFY(folder.mkdir(QStringLiteral("adir")));
    QVERIFY(f.WriteProgramFile(QStringLiteral("old.dm6"), BusyFile()));
    f.ui.openAnswers.push_back(folder.filePath(QStringLiteral("old.dm6")));
    f.ClickButton(kOpen);
    f.Child<QComboBox>("cboFaseTime", 0)->setCurrentIndex(3); // something to save
    const QString title = w.windowTitle();
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    f.ui.saveAnswers.push_back(folder.filePath(target));
    {
        // The limit is below the size of a file, so the writing stops part-way.
        std::optional<FileSizeLimit> limit;
        if (writeFails) {
            limit.emplace(256);
        }
        f.ClickButton(kSave);
    }
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, QStringLiteral("Impossibile salvare su file"));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(f.ReadProgramFile(QStringLiteral("old.dm6")), BusyFile());
    // No half-written or temporary file is left behind.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
    QVERIFY(QDir(folder.filePath(QStringLiteral("adir"))).isEmpty());

    // Without the fault the same save works.
    if (writeFails) {
        f.ui.saveAnswers.push_back(folder.filePath(target));
        f.ClickButton(kSave);
        QCOMPARE(f.ui.messages.size(), size_t{1});
        QVERIFY(f.ReadProgramFile(target).contains("\r\n00=3\r\n"));
    }
}

void TstFiles::nameTheFileCannotHoldIsNotSaved() {
    WindowFixture f;
    frmMain& w = f.Show();
    const QString path = f.FolderPath() + QStringLiteral("/names.dm6");
    // Renaming refuses such names; the save must not rely on it and alter the name.
    const std::tuple<const char*, int, QString, QString> names[] = {
        {"lblOutName", 2, QStringLiteral("\u03a9mega"), QStringLiteral("uscita 3")},
        {"lblFaseName", 6, QStringLiteral("due\nrighe"), QStringLiteral("fase 7")},
        {"lblOutName", 9, QString(), QStringLiteral("uscita 10")}};
    for (const auto& [label, index, name, told] : names) {
        const QString before = f.Child<QLabel>(label, index)->text();
        f.Child<QLabel>(label, index)->setText(name);
        f.ui.saveAnswers.push_back(path);
        f.ClickButton(kSave);
        f.Child<QLabel>(label, index)->setText(before);
        QCOMPARE(f.ui.messages.size(), size_t{1});
        QVERIFY(
            f.ui.messages[0].text.startsWith(QStringLiteral("Impossibile salvare su file:\r\n")));
        QVERIFY2(f.ui.messages[0].text.contains(told), qPrintable(f.ui.messages[0].text));
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
        QVERIFY(f.ui.saveRequests.empty());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
        f.ui.messages.clear();
        f.ui.saveAnswers.clear();
    }
}

void TstFiles::titleShowsThePath_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("marker");
    QTest::newRow("open, 80 characters") << false << 80 << QString();
    QTest::newRow("open, 81 characters") << false << 81 << QString();
    QTest::newRow("save, 80 characters") << true << 80 << QString();
    QTest::newRow("save, 81 characters") << true << 81 << QString();
    // Characters are counted, not bytes.
    QTest::newRow("open, 80 with accents") << false << 80 << QStringLiteral("\u00e0\u00e8");
    QTest::newRow("save, 81 with accents") << true << 81 << QStringLiteral("\u00e0\u00e8");
}

void TstFiles::titleShowsThePath() {
    QFETCH(bool, save);
    QFETCH(int, length);
    QFETCH(QString, marker);
    WindowFixture f;
    frmMain& w = f.Show();
    const QString name =
        marker + QString(length - f.FolderPath().size() - 5 - marker.size(), QLatin1Char('n')) +
        QStringLiteral(".dm6");
    const QString path = f.FolderPath() + QLatin1Char('/') + name;
    QCOMPARE(path.size(), length);
    if (save) {
        f.ui.saveAnswers.push_back(path);
        f.ClickButton(kSave);
    } else {
        QVERIFY(f.WriteProgramFile(name, StartUpFile()));
        f.ui.openAnswers.push_back(path);
        f.ClickButton(kOpen);
    }
    QVERIFY(f.ui.messages.empty());
    QString expected = QStringLiteral("Miravel6 - ") + path;
    if (length > 80) {
        expected = QStringLiteral("Miravel6 - ") + (save ? QString() : path.left(3)) +
                   QStringLiteral("...") + path.right(80);
    }
    QCOMPARE(w.windowTitle(), expected);
}

void TstFiles::samplesLoadThroughTheirButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("aName"); // empty: the file is missing
    QTest::newRow("Miravel 4F") << 1 << QStringLiteral("e_mv4f.dm6") << QStringLiteral("Sole");
    QTest::newRow("Miravel 8F") << 2 << QStringLiteral("e_mv8f.dm6") << QStringLiteral("Sole");
    QTest::newRow("Effetti luce") << 3 << QStringLiteral("e_eff.dm6") << QStringLiteral("Corsa 1");
    QTest::newRow("Acquario") << 4 << QStringLiteral("e_acq.dm6") << QStringLiteral("Bianco 1");
    QTest::newRow("Innaffiamento")
        << 5 << QStringLiteral("e_inn.dm6") << QStringLiteral("Valvola 1");
    QTest::newRow("missing") << 3 << QStringLiteral("e_eff.dm6") << QString();
}

void TstFiles::samplesLoadThroughTheirButtons() {
    QFETCH(int, button);
    QFETCH(QString, file);
    QFETCH(QString, aName);
    WindowFixture f;
    const QString samples = QStringLiteral(MIRAVEL6_SAMPLES_DIR);
    for (const QString& name : QDir(samples).entryList({QStringLiteral("*.dm6")})) {
        if (!aName.isEmpty()) {
            QVERIFY(QFile::copy(samples + QLatin1Char('/') + name, f.ProgramPath(name)));
        }
    }
    frmMain& w = f.Show();
    const QStringList before = WhatIsShown(f);
    f.ClickButton(QStringLiteral("cmdFileOpen_%1").arg(button));
    QVERIFY(f.ui.openRequests.empty());
    const QString path = f.ProgramPath(file);
    if (aName.isEmpty()) {
        QCOMPARE(f.ui.messages.size(), size_t{1});
        QCOMPARE(f.ui.messages[0].text, OpenFailure(path));
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
        QCOMPARE(WhatIsShown(f), before);
        return;
    }
    QVERIFY(f.ui.messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), aName);
    const std::optional<Configuration> config = ReadDm6File(path);
    QVERIFY(config);
    QVERIFY(w.EffSet() == config->recEffSet);
    QVERIFY(w.CurrentFaseCodes() == config->faseCodes);
    for (int p = 0; p < 8; ++p) {
        QCOMPARE(f.Child<QLabel>("lblFaseName", p)->text(),
                 QString::fromStdString(config->faseNames[static_cast<std::size_t>(p)]));
    }
}

QTEST_MAIN(TstFiles)
#include "tst_files.moc"
