// The write procedure called directly over the program's serial link, against the virtual
// board: its progress, byte by byte, and where it stops. The outcomes of every procedure on
// faulty boards are driven through miravel6-cli (tst_cli) and the window (tst_board_faults).

#include "board/board_procedures.h"
#include "board/serial_link.h"
#include "tests/support/virtual_board.h"

#include <QtTest>

namespace {

EdataBytes Counting() {
    EdataBytes image{};
    for (std::size_t j = 0; j < image.size(); ++j) {
        image[j] = static_cast<std::uint8_t>(j * 3 + 1);
    }
    return image;
}

QByteArray Bytes(const EdataBytes& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kEdataSize);
}

} // namespace

class TstBoardProcedures : public QObject {
    Q_OBJECT

private slots:
    void writeReportsEveryByteAndStopsAtTheFirstFault();
};

void TstBoardProcedures::writeReportsEveryByteAndStopsAtTheFirstFault() {
    const EdataBytes image = Counting();
    for (const int wrongAt : {-1, 0, 40, 127}) {
        VirtualBoard board(
            wrongAt < 0 ? QStringList{}
                        : QStringList{QStringLiteral("--wrong-echo"), QString::number(wrongAt)});
        QVERIFY2(board.isReady(), qPrintable(board.errorString()));
        SerialLink link;
        QVERIFY(link.Open(board.devicePath()));
        QList<int> progress;
        const WriteOutcome outcome =
            WriteBoardImage(link, image, [&](int attempted) { progress << attempted; });
        link.Close();

        const int sent = wrongAt < 0 ? kEdataSize : wrongAt + 1;
        QCOMPARE(outcome.attempted, sent);
        QCOMPARE(progress.size(), sent);
        QCOMPARE(progress.first(), 1);
        QCOMPARE(progress.last(), sent);
        QCOMPARE(board.receivedBytes(), "W" + Bytes(image).left(sent));
        if (wrongAt < 0) {
            QCOMPARE(outcome.fault, BoardFault::None);
            QCOMPARE(board.image(), Bytes(image));
        } else {
            QCOMPARE(outcome.fault, BoardFault::WrongEcho);
            QCOMPARE(outcome.echoed, image[static_cast<std::size_t>(wrongAt)] ^ 1);
        }
    }
}

QTEST_GUILESS_MAIN(TstBoardProcedures)
#include "tst_board_procedures.moc"
