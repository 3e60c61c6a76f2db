// Start-up, duration changes, the report file and close, driven on the real window offscreen.

#include "model/light_report.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TstStartup : public QObject {
    Q_OBJECT

private slots:
    void idleWindowAfterStartUp();
    void durationListsAndTheirTooltips();
    void imageAndReportOfTheEmptyGrid();
    void portChoiceRestoredAndStored_data();
    void portChoiceRestoredAndStored();
    void choosingOffHidesTheColumnAndResetsTheTitle();
    void unwritableReportIsReportedAndTheRestStillRefreshes();
};

void TstStartup::idleWindowAfterStartUp() {
    WindowFixture f;
    frmMain& w = f.Open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QVERIFY(f.ui.messages.empty());
    for (int o = 0; o < 10; ++o) {
        auto* name = f.Child<QLabel>("lblOutName", o);
        QCOMPARE(name->text(), QStringLiteral("Uscita %1").arg(o + 1));
        QCOMPARE(name->toolTip(), QStringLiteral("Nome uscita %1").arg(o + 1));
        auto* button = f.Child<QPushButton>("cmdOutOnoff", o);
        QCOMPARE(button->text(), QString::number(o + 1));
        QCOMPARE(button->toolTip(), QStringLiteral("Comando uscita %1").arg(o + 1));
    }
    for (int p = 0; p < 8; ++p) {
        auto* name = f.Child<QLabel>("lblFaseName", p);
        QCOMPARE(name->text(), QStringLiteral("Fase %1").arg(p + 1));
        QCOMPARE(name->toolTip(), QStringLiteral("Nome fase temporale %1").arg(p + 1));
    }
    const QStringList openTips = {QStringLiteral("Apri configurazione da file"),
                                  QStringLiteral("Luci Miravel 4 Fasi"),
                                  QStringLiteral("Luci Miravel 8 Fasi"),
                                  QStringLiteral("Effetti luminosi"),
                                  QStringLiteral("Acquario"),
                                  QStringLiteral("Innaffiamento")};
    const QStringList openCaptions = {QStringLiteral("Apri"),       QStringLiteral("Miravel 4F"),
                                      QStringLiteral("Miravel 8F"), QStringLiteral("Effetti luce"),
                                      QStringLiteral("Acquario"),   QStringLiteral("Innaffiam")};
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(f.Child<QPushButton>("cmdFileOpen", k)->text(), openCaptions[k]);
        QCOMPARE(f.Child<QPushButton>("cmdFileOpen", k)->toolTip(), openTips[k]);
    }
    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdFileSave"))->toolTip(),
             QStringLiteral("Salva configurazione su file"));
    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdEdataRead"))->toolTip(),
             QStringLiteral("Leggi configurazione da scheda"));
    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdEdataWrite"))->toolTip(),
             QStringLiteral("Scrivi configurazione su scheda"));
    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdCommTest"))->toolTip(),
             QStringLiteral("Test porta seriale"));
    QCOMPARE(f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toolTip(),
             QStringLiteral("Visualizza dati per configurazione scheda"));
    auto* cursor = f.Child<QPushButton>(QStringLiteral("cmdTimeCursor"));
    QCOMPARE(cursor->text(), QStringLiteral("Cursore on"));
    QCOMPARE(cursor->toolTip(), QStringLiteral("Attiva/disattiva il cursore del tempo"));
    QCOMPARE(f.Child<QLabel>(QStringLiteral("lblStatus"))->text(),
             QStringLiteral("Clicca (sx o dx) sul grafico per modificare l'andamento, la "
                            "modalit\u00e0 e i nomi delle uscite e delle fasi"));

    auto* ports = f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(ports->count(), 16);
    QCOMPARE(ports->itemText(0), QStringLiteral("COM1"));
    QCOMPARE(ports->itemText(15), QStringLiteral("COM16"));
    QCOMPARE(ports->toolTip(), QStringLiteral("Porta di comunicazione seriale"));

    // Every cell is an empty, visible cell.
    for (int i = 0; i < 80; ++i) {
        auto* cell = f.Child<QLabel>("lblEffMode", i);
        QCOMPARE(cell->text(), QStringLiteral("-- -"));
        QVERIFY(!cell->isHidden());
    }
    QCOMPARE(
        f.Child<QLabel>("lblEffMode", 79)->toolTip(),
        QStringLiteral("Uscita10 Fase8 - Parte1: 000 - Parte2: 000 - Tremolo: Off - Random: Off"));
    QVERIFY(!w.PortIsOpen());
    QCOMPARE(w.size(), w.minimumSize()); // fixed layout
}

void TstStartup::durationListsAndTheirTooltips() {
    WindowFixture f;
    f.Open();
    for (int p = 0; p < 8; ++p) {
        auto* combo = f.Child<QComboBox>("cboFaseTime", p);
        QCOMPARE(combo->count(), 64);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->currentText(), QStringLiteral("10 sec"));
        QCOMPARE(combo->itemText(32), QStringLiteral("1h 10m "));
        QCOMPARE(combo->itemData(63).toInt(), 43200);
        QCOMPARE(
            combo->toolTip(),
            QStringLiteral("Tempo fase temporale %1 - Impulsi per espansione: 256").arg(p + 1));
    }
    auto* third = f.Child<QComboBox>("cboFaseTime", 2);
    third->setCurrentIndex(third->findText(QStringLiteral("25 min")));
    QCOMPARE(third->toolTip(),
             QStringLiteral("Tempo fase temporale 3 - Impulsi per espansione: 512"));
    third->setCurrentIndex(third->findText(QStringLiteral("20 min")));
    QCOMPARE(third->toolTip(),
             QStringLiteral("Tempo fase temporale 3 - Impulsi per espansione: 256"));
}

void TstStartup::imageAndReportOfTheEmptyGrid() {
    WindowFixture f;
    frmMain& w = f.Open();
    const QStringList lines =
        f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 129); // the last line ends with a line break too
    QCOMPARE(lines[128], QString());
    for (int offset = 0; offset < 128; ++offset) {
        const QString expected = QStringLiteral("%1:%2")
                                     .arg(offset, 2, 16, QLatin1Char('0'))
                                     .arg(offset < 8 ? 1 : 0, 2, 16, QLatin1Char('0'))
                                     .toUpper();
        QCOMPARE(lines[offset], expected);
    }
    QCOMPARE(w.EdataImage()[0], 1);

    const QString path = QDir::toNativeSeparators(f.FolderPath()) + QDir::separator() +
                         QStringLiteral("light_value.txt");
    const QByteArray report = f.ReadProgramFile(QStringLiteral("light_value.txt"));
    const std::string expected = LightValueReport(path.toStdString(), LightCourse{});
    QCOMPARE(report, QByteArray::fromStdString(expected));
    QVERIFY(report.startsWith("Light Value - File " + path.toUtf8() + "\r\n"));
}

void TstStartup::portChoiceRestoredAndStored_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("storedOnClose");
    QTest::newRow("missing: COM1") << QString() << 0 << QStringLiteral("0");
    QTest::newRow("15: COM16") << QStringLiteral("15") << 15 << QStringLiteral("15");
    QTest::newRow("16: none") << QStringLiteral("16") << -1 << QStringLiteral("-1");
    QTest::newRow("x: none") << QStringLiteral("x") << -1 << QStringLiteral("-1");
    QTest::newRow("-1: none") << QStringLiteral("-1") << -1 << QStringLiteral("-1");
    QTest::newRow("3: COM4") << QStringLiteral("3") << 3 << QStringLiteral("3");
}

void TstStartup::portChoiceRestoredAndStored() {
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(QString, storedOnClose);
    WindowFixture f;
    f.StoreSetting(QStringLiteral("frmMain/cboComm"), stored);
    f.Open();
    auto* ports = f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(ports->currentIndex(), selected);
    QVERIFY(f.ui.messages.empty()); // a bad value is not reported
    f.Close();
    QCOMPARE(f.StoredSetting(QStringLiteral("frmMain/cboComm")), storedOnClose);
}

void TstStartup::choosingOffHidesTheColumnAndResetsTheTitle() {
    WindowFixture f;
    frmMain& w = f.Open();
    w.setWindowTitle(QStringLiteral("Miravel6 - /tmp/x.dm6"));
    auto* second = f.Child<QComboBox>("cboFaseTime", 1);
    second->setCurrentIndex(0);
    QCOMPARE(second->toolTip(),
             QStringLiteral("Tempo fase temporale 2 - Impulsi per espansione: 0"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    for (int o = 0; o < 10; ++o) {
        QVERIFY(f.Child<QLabel>("lblEffMode", o * 8 + 1)->isHidden());
        QVERIFY(!f.Child<QLabel>("lblEffMode", o * 8 + 2)->isHidden());
    }
    for (int s = 6; s < 12; ++s) {
        QVERIFY(!w.Drawing().lineEffH[static_cast<std::size_t>(s)].visible);
    }
    QCOMPARE(w.EdataImage()[1], 0);
    QVERIFY(f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))
                ->toPlainText()
                .startsWith(QStringLiteral("00:01\n01:00\n02:01")));
    // The report follows: phase 2 is held at the level before it.
    const QByteArray report = f.ReadProgramFile(QStringLiteral("light_value.txt"));
    QVERIFY(report.contains("1  | +000 +000 0 +000 +000 0 | +000 +000 0 +000 +000 0 | "));
}

void TstStartup::unwritableReportIsReportedAndTheRestStillRefreshes() {
    WindowFixture f;
    // A folder in the report's place cannot be opened for writing, not even by root.
    QVERIFY(QDir(f.FolderPath()).mkdir(QStringLiteral("light_value.txt")));
    frmMain& w = f.Open();
    const QString path = QDir::toNativeSeparators(f.FolderPath()) + QDir::separator() +
                         QStringLiteral("light_value.txt");
    QCOMPARE(f.ui.messages.size(), size_t{1});
    QCOMPARE(f.ui.messages[0].text,
             QStringLiteral("Impossibile scrivere i valori sul file ") + path);
    QCOMPARE(f.ui.messages[0].icon, MsgIcon::Critical);
    QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.ui.messages[0].caption, QStringLiteral("Miravel6"));
    QCOMPARE(f.Child<QLabel>("lblEffMode", 0)->text(), QStringLiteral("-- -"));

    f.Child<QComboBox>("cboFaseTime", 0)->setCurrentIndex(0);
    QCOMPARE(f.ui.messages.size(), size_t{2}); // on every refresh
    QVERIFY(f.Child<QLabel>("lblEffMode", 0)->isHidden());
    QCOMPARE(w.EdataImage()[0], 0);
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
