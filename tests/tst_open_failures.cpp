// A port that will not open: each board command keeps its message and tells, in the box's
// details, which device it tried and why it failed. Through the program's own serial code.

#include "tests/support/board_window.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

class TstOpenFailures : public QObject {
    Q_OBJECT

private slots:
    void detailsNameTheDeviceAndTheReason_data();
    void detailsNameTheDeviceAndTheReason();
};

namespace {

const QString kDevice = QStringLiteral("Dispositivo: ");
const QString kMissing = QStringLiteral("Motivo: il dispositivo non esiste.");

} // namespace

void TstOpenFailures::detailsNameTheDeviceAndTheReason_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("path");      // what COM5 leads to; "<board>" is the virtual board
    QTest::addColumn<QStringList>("lines"); // the details' first lines; "<path>" is the path
    QTest::addColumn<QString>("text");

    const QString open5 = QStringLiteral("Impossibile aprire la porta COM5");
    const QString test5 =
        QStringLiteral("Test su porta seriale COM5 fallito.\r\nImpossibile aprire la porta.\r\n") +
        kCheckLines;
    const QStringList missing{kDevice + QStringLiteral("<path>"), kMissing};
    QTest::newRow("Leggi, missing device") << "cmdEdataRead"
                                           << "/nonexistent/ttyUSB7" << missing << open5;
    QTest::newRow("Test, missing device") << "cmdCommTest"
                                          << "/nonexistent/ttyUSB7" << missing << test5;
    QTest::newRow("Scrivi, a path with blanks") << "cmdEdataWrite"
                                                << "/nonexistent/my adapter " << missing << open5;
    QTest::newRow("Cmd Out 3, a folder")
        << "cmdOutOnoff_2"
        << "<folder>"
        << QStringList{kDevice + QStringLiteral("<path>"),
                       QStringLiteral(
                           "Motivo: il percorso \u00e8 una cartella, non un dispositivo seriale.")}
        << open5;
    QTest::newRow("Leggi, a regular file")
        << "cmdEdataRead"
        << "<file>"
        << QStringList{kDevice + QStringLiteral("<path>"),
                       QStringLiteral("Motivo: il percorso \u00e8 un file normale, non un "
                                      "dispositivo seriale.")}
        << open5;
    // A character device that is no serial port: the system's own words.
    QTest::newRow("Leggi, /dev/null")
        << "cmdEdataRead"
        << "/dev/null"
        << QStringList{kDevice + QStringLiteral("/dev/null"), QStringLiteral("Motivo: ")} << open5;
    QTest::newRow("Leggi, the board opened a second time")
        << "cmdEdataRead"
        << "<board>"
        << QStringList{kDevice + QStringLiteral("<path>"),
                       QStringLiteral("Motivo: il dispositivo \u00e8 gi\u00e0 in uso da un altro "
                                      "programma (processo <pid>).")}
        << open5;
    QTest::newRow("Test, no port chosen")
        << "cmdCommTest"
        << "<none>"
        << QStringList{QStringLiteral("Nessuna porta selezionata nell'elenco delle porte.")}
        << QStringLiteral("Test su porta seriale  fallito.\r\nImpossibile aprire la porta.\r\n") +
               kCheckLines;
}

void TstOpenFailures::detailsNameTheDeviceAndTheReason() {
    QFETCH(QString, button);
    QFETCH(QString, path);
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QTemporaryDir scratch;
    QSerialPort other;
    if (path == QStringLiteral("<folder>")) {
        path = scratch.path();
    } else if (path == QStringLiteral("<file>")) {
        path = scratch.filePath(QStringLiteral("ttyUSB0"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (path == QStringLiteral("<board>")) {
        path = b.board.devicePath();
        other.setPortName(path);
        QVERIFY(other.open(QIODevice::ReadWrite));
    }
    b.f.StoreSetting(QStringLiteral("ports/COM5"), path);
    b.f.Child<QComboBox>(QStringLiteral("cboComm"))
        ->setCurrentIndex(path == QStringLiteral("<none>") ? -1 : 4);
    const WindowState before(b);

    b.Click(b.f.Child<QPushButton>(button));

    b.ExpectOneMessage(text, MsgIcon::Critical);
    const QStringList details = b.f.ui.messages.front().details.split(QStringLiteral("\r\n"));
    QVERIFY2(details.size() >= lines.size(), qPrintable(details.join(QLatin1Char('|'))));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString expected = lines[i];
        expected.replace(QStringLiteral("<path>"), path);
        expected.replace(QStringLiteral("<pid>"),
                         QString::number(QCoreApplication::applicationPid()));
        if (expected.endsWith(QStringLiteral(": "))) {
            QVERIFY2(details[i].startsWith(expected) && details[i].size() > expected.size(),
                     qPrintable(details[i]));
        } else {
            QCOMPARE(details[i], expected);
        }
    }
    if (lines.contains(kMissing)) {
        // Which serial devices there are instead.
        QCOMPARE(details.size(), lines.size() + 1);
        QVERIFY2(details.last().startsWith(QStringLiteral("Dispositivi seriali presenti: ")) ||
                     details.last() ==
                         QStringLiteral("Non \u00e8 presente alcun dispositivo seriale."),
                 qPrintable(details.last()));
    } else {
        QCOMPARE(details.size(), lines.size());
    }
    b.ExpectIdle();
    QVERIFY(WindowState(b) == before);
    QVERIFY(b.board.receivedBytes().isEmpty());
}

QTEST_MAIN(TstOpenFailures)
#include "tst_open_failures.moc"
