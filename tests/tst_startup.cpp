// Start-up and the port choice kept in the settings store (sound or spoilt), driven on the real
// window offscreen. What an "OFF" phase hides is unit-tested and seen again in the report and
// focus walks.

#include "tests/support/file_bytes.h"
#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include <numeric>

class TstStartup : public QObject {
    Q_OBJECT

private slots:
    void idleWindow();
    void portChoiceRestoredAndStored();
};

void TstStartup::idleWindow() {
    WindowFixture f;
    frmMain& w = f.Open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Miravel6"));
    QVERIFY(f.ui.messages.empty());
    // The last of each row of controls (the captions are made in one loop).
    const auto shown = [&f](const char* name, int k) {
        const QWidget* widget = f.Child<QWidget>(name, k);
        return widget->property("text").toString() + QLatin1Char('|') + widget->toolTip();
    };
    QCOMPARE(shown("lblOutName", 9), QStringLiteral("Uscita 10|Nome uscita 10"));
    QCOMPARE(shown("cmdOutOnoff", 9), QStringLiteral("10|Comando uscita 10"));
    QCOMPARE(shown("lblFaseName", 7), QStringLiteral("Fase 8|Nome fase temporale 8"));
    auto* ports = f.Child<QComboBox>(QStringLiteral("cboComm"));
    QCOMPARE(ports->itemText(0) + ports->itemText(15) + QString::number(ports->count()),
             QStringLiteral("COM1COM1616"));

    // The last cell is an empty, visible cell (the cells are drawn in one loop); the image
    // holds eight "10 sec" phases.
    const QLabel* last = f.Child<QLabel>("lblEffMode", 79);
    QVERIFY(last->text() == QStringLiteral("-- -") && !last->isHidden());
    QCOMPARE(
        last->toolTip(),
        QStringLiteral("Uscita10 Fase8 - Parte1: 000 - Parte2: 000 - Tremolo: Off - Random: Off"));
    const QString image = f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText();
    QVERIFY2(image.startsWith(QStringLiteral("00:01\n")) &&
                 image.contains(QStringLiteral("\n07:01\n08:00\n")) &&
                 image.endsWith(QStringLiteral("\n7F:00\n")) && image.count(u'\n') == 128,
             qPrintable(image));
    QVERIFY(!w.PortIsOpen());
    QCOMPARE(w.size(), w.minimumSize()); // fixed layout

    // The duration lists start at "10 sec" (the table and the pulses are unit-tested); a
    // tooltip follows the choice.
    auto* third = f.Child<QComboBox>("cboFaseTime", 2);
    QVERIFY(third->count() == 64 && third->currentText() == QStringLiteral("10 sec"));
    QCOMPARE(third->toolTip(),
             QStringLiteral("Tempo fase temporale 3 - Impulsi per espansione: 256"));
    third->setCurrentIndex(third->findText(QStringLiteral("25 min")));
    QCOMPARE(third->toolTip(),
             QStringLiteral("Tempo fase temporale 3 - Impulsi per espansione: 512"));
}

void TstStartup::portChoiceRestoredAndStored() {
    // The stored value, or a spoilt store: "(none)", "(junk)", "(blocked)" by a file in its
    // folder's place (the store's own refusals: tst_port_settings). One row per way a value is
    // taken or refused: a position, none, out of range, no number.
    const struct {
        QByteArray value;
        int selected;      // in cboComm at start-up; -1: none
        bool pickCom5;     // with the keyboard before closing
        QByteArray stored; // value in the store after close; empty: none
    } cases[] = {{"(none)", 0, false, "0"}, {"15", 15, false, "15"}, {"16", -1, false, "-1"},
                 {"(junk)", 0, true, "4"},  {"3, 4", -1, true, "4"}, {"(blocked)", 0, true, ""}};
    for (const auto& [value, selected, pickCom5, stored] : cases) {
        WindowFixture f;
        const QString folder = f.SettingsFolderPath() + QStringLiteral("/Miravel6");
        const QString file = folder + QStringLiteral("/Miravel6.conf");
        if (value == "(blocked)") {
            QVERIFY(PutFile(folder, {})); // a file in the folder's place
        } else if (value == "(junk)") {
            QByteArray junk(4096, 0);
            std::iota(junk.begin(), junk.end(), char(11)); // every byte value, in turn
            QVERIFY(PutFile(file, junk));
        } else if (value != "(none)") {
            QVERIFY(PutFile(file, "[frmMain]\ncboComm=" + value + "\n"));
        }
        frmMain& w = f.Show();
        auto* ports = f.Child<QComboBox>(QStringLiteral("cboComm"));
        QCOMPARE(ports->currentIndex(), selected);
        QCOMPARE(f.Child<QLabel>("lblEffMode", 0)->text(), QStringLiteral("-- -"));
        if (pickCom5) {
            ports->setFocus();
            QTest::keyClick(ports, Qt::Key_Home);
            for (int k = 0; k < 4; ++k) {
                QTest::keyClick(ports, Qt::Key_Down);
            }
            QCOMPARE(ports->currentText(), QStringLiteral("COM5"));
        }
        QVERIFY(w.close() && !w.isVisible());
        QVERIFY(f.ui.messages.empty()); // a bad or unwritable store is not reported

        const QByteArray written = GetFile(file);
        if (stored.isEmpty()) {
            QVERIFY(!written.contains("cboComm"));
        } else {
            QVERIFY2(written.contains("[frmMain]") && written.contains("cboComm=" + stored + "\n"),
                     written.constData());
        }
    }
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
