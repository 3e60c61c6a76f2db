// Opening and saving configuration files on the real window: the dialogs, what a file
// sets, every refusal, failed saves, the title and the five sample buttons.

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

const QString kSamplesDir = QStringLiteral(MIRAVEL6_SAMPLES_DIR);

void Click(QPushButton* button) {
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

QPushButton* OpenButton(const WindowFixture& f, int index) {
    return f.Child<QPushButton>("cmdFileOpen", index);
}

QPushButton* SaveButton(const WindowFixture& f) {
    return f.Child<QPushButton>(QStringLiteral("cmdFileSave"));
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    for (int o = 0; o < 10; ++o) {
        config.outNames[static_cast<std::size_t>(o)] = "Luce " + std::to_string(o);
    }
    for (int p = 0; p < 8; ++p) {
        config.faseNames[static_cast<std::size_t>(p)] = "Momento " + std::to_string(p);
    }
    config.outNames[0] = "Citt\u00e0 \u20ac";
    config.outNames[9] = "  Sole  ";
    config.faseNames[7] = " ";
    config.faseCodes = {0, 25, 1, 63, 22, 31, 6, 10};
    for (int i = 0; i < 80; ++i) {
        typEffSet& rec = config.recEffSet[static_cast<std::size_t>(i)];
        rec.bytePart1 = static_cast<std::uint8_t>(i % 16);
        rec.bytePart2 = static_cast<std::uint8_t>((i * 7) % 16);
        rec.byteFlicker = static_cast<std::uint8_t>(i % 8);
        rec.blnRandom = i % 3 == 0 ? kTrue : kFalse;
    }
    return config;
}

// Everything a file could change, as the window shows it.
struct Shown {
    QStringList names;
    QList<int> codes;
    QStringList tooltips;
    QStringList cells;
    EffGrid records;
    QString image;
    QString title;
    bool operator==(const Shown&) const = default;
};

Shown WhatIsShown(const WindowFixture& f, const frmMain& w) {
    Shown shown;
    for (int o = 0; o < 10; ++o) {
        shown.names << f.Child<QLabel>("lblOutName", o)->text();
    }
    for (int p = 0; p < 8; ++p) {
        shown.names << f.Child<QLabel>("lblFaseName", p)->text();
        shown.codes << f.Child<QComboBox>("cboFaseTime", p)->currentIndex();
        shown.tooltips << f.Child<QComboBox>("cboFaseTime", p)->toolTip();
    }
    for (int i = 0; i < 80; ++i) {
        shown.cells << f.Child<QLabel>("lblEffMode", i)->text();
    }
    shown.records = w.EffSet();
    shown.image = f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText();
    shown.title = w.windowTitle();
    return shown;
}

QString OpenFailure(const QString& path) {
    return QStringLiteral("Impossibile aprire il file:\r\n") + path +
           QStringLiteral("\r\noppure dati non validi");
}

// A path of exactly `length` characters in the folder.
QString PathOfLength(const QString& folder, int length, const QString& marker = QString()) {
    const int nameLength = length - static_cast<int>(folder.size()) - 1;
    const QString name = marker + QString(nameLength - marker.size() - 4, QLatin1Char('n'));
    return folder + QLatin1Char('/') + name + QStringLiteral(".dm6");
}

// Writes beyond this many bytes fail while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
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
    void (*oldHandler)(int) = nullptr;
};

} // namespace

class TstFiles : public QObject {
    Q_OBJECT

private slots:
    void saveStartUpConfiguration();
    void openDialogAndItsFolder();
    void openSetsEveryFieldAndSaveWritesItBack();
    void openRefreshesTheGridOnce();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void sizeLimit();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void nameTheFileCannotHoldIsNotSaved();
    void titleShowsThePath_data();
    void titleShowsThePath();
    void samplesLoadThroughTheirButtons_data();
    void samplesLoadThroughTheirButtons();
    void missingSampleIsReported();
};

void TstFiles::saveStartUpConfiguration() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const QString path = f.FolderPath() + QStringLiteral("/start.dm6");
    f.ui.saveAnswers.push_back(path);
    Click(SaveButton(f));

    QCOMPARE(ReadFile(path), StartUpFile());
    QCOMPARE(StartUpFile().count("\r\n"), 115);
    QVERIFY(f.ui.messages.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    QCOMPARE(f.ui.saveRequests.size(), size_t{1});
    const FileDialogRequest& request = f.ui.saveRequests[0];
    QCOMPARE(request.title, QStringLiteral("Salva configurazione su file"));
    QCOMPARE(request.filter,
             QStringLiteral("File dati miravel5 (*.dm6)|*.dm6|Tutti i file (*.*)|*.*"));
    QCOMPARE(request.defaultExt, QStringLiteral(".dat"));
    QCOMPARE(request.initialDir, f.FolderPath());
    QVERIFY(request.confirmOverwrite);
    QVERIFY(!request.mustExist);

    // After a confirmed dialog both dialogs stop forcing the program folder; a cancelled
    // save changes nothing.
    Click(SaveButton(f));
    QCOMPARE(f.ui.saveRequests.back().initialDir, QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    Click(OpenButton(f, 0));
    QCOMPARE(f.ui.openRequests.back().initialDir, QString());
    QVERIFY(f.ui.messages.empty());
}

void TstFiles::openDialogAndItsFolder() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const Shown before = WhatIsShown(f, w);
    Click(OpenButton(f, 0)); // cancelled
    Click(OpenButton(f, 0)); // cancelled again: still the program folder
    QCOMPARE(f.ui.openRequests.size(), size_t{2});
    for (const FileDialogRequest& request : f.ui.openRequests) {
        QCOMPARE(request.title, QStringLiteral("Apri file configurazione"));
        QCOMPARE(request.filter,
                 QStringLiteral("File dati miravel5 (*.dm6)|*.dm6|Tutti i file (*.*)|*.*"));
        QCOMPARE(request.defaultExt, QStringLiteral(".dat"));
        QCOMPARE(request.initialDir, f.FolderPath());
        QVERIFY(request.mustExist);
        QVERIFY(!request.confirmOverwrite);
    }
    QVERIFY(WhatIsShown(f, w) == before);
    QVERIFY(f.ui.messages.empty());

    const QString path = f.FolderPath() + QStringLiteral("/busy.dm6");
    WriteFile(path, Bytes(WriteDm6(BusyConfiguration())));
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
    Click(OpenButton(f, 0));
    QCOMPARE(f.ui.openRequests.back().initialDir, QString());
    Click(SaveButton(f));
    QCOMPARE(f.ui.saveRequests.back().initialDir, QString());
}

void TstFiles::openSetsEveryFieldAndSaveWritesItBack() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const Configuration config = BusyConfiguration();
    const QByteArray bytes = Bytes(WriteDm6(config));
    const QString path = f.FolderPath() + QStringLiteral("/busy.dm6");
    WriteFile(path, bytes);
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));
    QVERIFY(f.ui.messages.empty());

    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), QStringLiteral("Citt\u00e0 \u20ac"));
    QCOMPARE(f.Child<QLabel>("lblOutName", 9)->text(), QStringLiteral("  Sole  "));
    QCOMPARE(f.Child<QLabel>("lblOutName", 4)->text(), QStringLiteral("Luce 4"));
    QCOMPARE(f.Child<QLabel>("lblFaseName", 7)->text(), QStringLiteral(" "));
    QCOMPARE(f.Child<QLabel>("lblFaseName", 2)->text(), QStringLiteral("Momento 2"));
    for (int p = 0; p < 8; ++p) {
        QCOMPARE(f.Child<QComboBox>("cboFaseTime", p)->currentIndex(),
                 config.faseCodes[static_cast<std::size_t>(p)]);
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
    Click(SaveButton(f));
    QCOMPARE(ReadFile(copy), bytes);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + copy);

    // A duration chosen afterwards means the grid may differ from every file.
    f.Child<QComboBox>("cboFaseTime", 2)->setCurrentIndex(5);
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
}

void TstFiles::openRefreshesTheGridOnce() {
    WindowFixture f;
    // Every refresh reports the report file it cannot write: one message per refresh.
    QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("light_value.txt")));
    frmMain& w = f.Open();
    w.show();
    f.ui.messages.clear();
    const QString path = f.FolderPath() + QStringLiteral("/busy.dm6");
    WriteFile(path, Bytes(WriteDm6(BusyConfiguration())));
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QVERIFY(f.ui.messages[0].text.startsWith(QStringLiteral("Impossibile scrivere i valori")));
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 1)->toolTip(),
             QStringLiteral("Tempo fase temporale 2 - Impulsi per espansione: 512"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6 - ") + path);
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
    QTest::newRow("duration -1") << replaced("\r\n00=1\r\n", "\r\n00=-1\r\n");
    QTest::newRow("one-digit codes") << replaced("05=00;00;0;0", "05=1;2;3;0");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("missing file") << QByteArray("(none)");
    QTest::newRow("a folder") << QByteArray("(folder)");
}

void TstFiles::refusedFileChangesNothing() {
    QFETCH(QByteArray, bytes);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const QString loaded = f.FolderPath() + QStringLiteral("/busy.dm6");
    WriteFile(loaded, Bytes(WriteDm6(BusyConfiguration())));
    f.ui.openAnswers.push_back(loaded);
    Click(OpenButton(f, 0));
    const Shown before = WhatIsShown(f, w);
    QCOMPARE(before.title, QStringLiteral("Miravel6 - ") + loaded);

    const QString path = f.FolderPath() + QStringLiteral("/bad.dm6");
    if (bytes == "(folder)") {
        QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("bad.dm6")));
    } else if (bytes != "(none)") {
        WriteFile(path, bytes);
    }
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));

    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, OpenFailure(path));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.ui.messages[0].caption, QStringLiteral("Miravel6"));
    QVERIFY(WhatIsShown(f, w) == before);
}

void TstFiles::sizeLimit() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    // A valid configuration padded with comment lines to exactly the limit still loads.
    QByteArray bytes = Bytes(WriteDm6(BusyConfiguration()));
    const qsizetype padding = kDm6MaxFileBytes - bytes.size();
    bytes += "*" + QByteArray(padding - 3, 'c') + "\r\n";
    QCOMPARE(bytes.size(), kDm6MaxFileBytes);
    const QString path = f.FolderPath() + QStringLiteral("/big.dm6");
    WriteFile(path, bytes);
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));
    QVERIFY(f.ui.messages.empty());
    QCOMPARE(f.Child<QLabel>("lblOutName", 9)->text(), QStringLiteral("  Sole  "));

    // One byte more and it is refused.
    const QByteArray startUp = StartUpFile();
    bytes = startUp + "*" + QByteArray(kDm6MaxFileBytes - startUp.size() - 2, 'c') + "\r\n";
    QCOMPARE(bytes.size(), kDm6MaxFileBytes + 1);
    WriteFile(path, bytes);
    f.ui.openAnswers.push_back(path);
    Click(OpenButton(f, 0));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, OpenFailure(path));
    QCOMPARE(f.Child<QLabel>("lblOutName", 9)->text(), QStringLiteral("  Sole  "));
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
    frmMain& w = f.Open();
    w.show();
    QDir folder(f.FolderPath());
    QVERIFY(folder.mkdir(QStringLiteral("adir")));
    const QByteArray oldBytes = Bytes(WriteDm6(BusyConfiguration()));
    WriteFile(folder.filePath(QStringLiteral("old.dm6")), oldBytes);
    f.ui.openAnswers.push_back(folder.filePath(QStringLiteral("old.dm6")));
    Click(OpenButton(f, 0));
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
        Click(SaveButton(f));
    }
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text, QStringLiteral("Impossibile salvare su file"));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(ReadFile(folder.filePath(QStringLiteral("old.dm6"))), oldBytes);
    // No half-written or temporary file is left behind.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
    QVERIFY(QDir(folder.filePath(QStringLiteral("adir"))).isEmpty());

    // Without the fault the same save works.
    if (writeFails) {
        f.ui.saveAnswers.push_back(folder.filePath(target));
        Click(SaveButton(f));
        QCOMPARE(f.ui.messages.size(), size_t{1});
        QVERIFY(ReadFile(folder.filePath(target)).contains("\r\n00=3\r\n"));
    }
}

void TstFiles::nameTheFileCannotHoldIsNotSaved() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    // Renaming refuses such names; the save must not rely on it and alter the name.
    f.Child<QLabel>("lblOutName", 2)->setText(QStringLiteral("\u03a9mega"));
    const QString path = f.FolderPath() + QStringLiteral("/names.dm6");
    f.ui.saveAnswers.push_back(path);
    Click(SaveButton(f));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QVERIFY(f.ui.messages[0].text.startsWith(QStringLiteral("Impossibile salvare su file:\r\n")));
    QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("uscita 3")));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QVERIFY(f.ui.saveRequests.empty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));

    f.Child<QLabel>("lblOutName", 2)->setText(QStringLiteral("Omega"));
    f.Child<QLabel>("lblFaseName", 6)->setText(QStringLiteral("due\nrighe"));
    Click(SaveButton(f));
    QCOMPARE(f.ui.messages.size(), size_t{2});
    QVERIFY(f.ui.messages[1].text.contains(QStringLiteral("fase 7")));
    QVERIFY(!QFile::exists(path));
}

void TstFiles::titleShowsThePath_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("open, 80 characters") << false << 80 << QString() << false;
    QTest::newRow("open, 81 characters") << false << 81 << QString() << true;
    QTest::newRow("save, 80 characters") << true << 80 << QString() << false;
    QTest::newRow("save, 81 characters") << true << 81 << QString() << true;
    // Characters are counted, not bytes.
    QTest::newRow("open, 80 with accents")
        << false << 80 << QStringLiteral("\u00e0\u00e8") << false;
    QTest::newRow("save, 81 with accents") << true << 81 << QStringLiteral("\u00e0\u00e8") << true;
}

void TstFiles::titleShowsThePath() {
    QFETCH(bool, save);
    QFETCH(int, length);
    QFETCH(QString, marker);
    QFETCH(bool, shortened);
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const QString path = PathOfLength(f.FolderPath(), length, marker);
    QCOMPARE(path.size(), length);
    if (save) {
        f.ui.saveAnswers.push_back(path);
        Click(SaveButton(f));
    } else {
        WriteFile(path, StartUpFile());
        f.ui.openAnswers.push_back(path);
        Click(OpenButton(f, 0));
    }
    QVERIFY(f.ui.messages.empty());
    QString expected = QStringLiteral("Miravel6 - ") + path;
    if (shortened) {
        expected = save ? QStringLiteral("Miravel6 - ...") + path.right(80)
                        : QStringLiteral("Miravel6 - ") + path.left(3) + QStringLiteral("...") +
                              path.right(80);
    }
    QCOMPARE(w.windowTitle(), expected);
}

void TstFiles::samplesLoadThroughTheirButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("aName");
    QTest::newRow("Miravel 4F") << 1 << QStringLiteral("e_mv4f.dm6") << QStringLiteral("Sole");
    QTest::newRow("Miravel 8F") << 2 << QStringLiteral("e_mv8f.dm6") << QStringLiteral("Sole");
    QTest::newRow("Effetti luce") << 3 << QStringLiteral("e_eff.dm6") << QStringLiteral("Corsa 1");
    QTest::newRow("Acquario") << 4 << QStringLiteral("e_acq.dm6") << QStringLiteral("Bianco 1");
    QTest::newRow("Innaffiamento")
        << 5 << QStringLiteral("e_inn.dm6") << QStringLiteral("Valvola 1");
}

void TstFiles::samplesLoadThroughTheirButtons() {
    QFETCH(int, button);
    QFETCH(QString, file);
    QFETCH(QString, aName);
    WindowFixture f;
    for (const QString& name : QDir(kSamplesDir).entryList({QStringLiteral("*.dm6")})) {
        QVERIFY(QFile::copy(kSamplesDir + QLatin1Char('/') + name,
                            f.FolderPath() + QLatin1Char('/') + name));
    }
    frmMain& w = f.Open();
    w.show();
    Click(OpenButton(f, button));
    QVERIFY(f.ui.messages.empty());
    QVERIFY(f.ui.openRequests.empty());
    const QString path = f.FolderPath() + QLatin1Char('/') + file;
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

void TstFiles::missingSampleIsReported() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.show();
    const Shown before = WhatIsShown(f, w);
    Click(OpenButton(f, 3));
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text,
             OpenFailure(QDir::toNativeSeparators(f.FolderPath() + QStringLiteral("/e_eff.dm6"))));
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QVERIFY(WhatIsShown(f, w) == before);
}

QTEST_MAIN(TstFiles)
#include "tst_files.moc"
