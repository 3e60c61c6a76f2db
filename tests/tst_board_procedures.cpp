// The board procedures called directly over the program's serial link, against the virtual
// board: the outcome of every operation on healthy and faulty boards, and the write's progress.

#include "board/board_procedures.h"
#include "board/serial_link.h"
#include "tests/support/virtual_board.h"

#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(BoardFault)
Q_DECLARE_METATYPE(LinkDevice)

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
    void outcomesOfEveryOperation_data();
    void outcomesOfEveryOperation();
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

void TstBoardProcedures::outcomesOfEveryOperation_data() {
    QTest::addColumn<QString>("board");
    QTest::addColumn<LinkDevice>("linkTest");
    QTest::addColumn<BoardFault>("read");
    QTest::addColumn<BoardFault>("write");
    QTest::addColumn<BoardFault>("output");
    using F = BoardFault;
    QTest::newRow("healthy") << QString() << LinkDevice::Board << F::None << F::None << F::None;
    QTest::newRow("silent") << "--silent" << LinkDevice::Nothing << F::NoReply << F::NoReply
                            << F::NoReply;
    QTest::newRow("garbage") << "--garbage" << LinkDevice::Other << F::BadReply << F::BadReply
                             << F::BadReply;
    QTest::newRow("late") << "--delay-ms=700" << LinkDevice::Nothing << F::NoReply << F::NoReply
                          << F::NoReply;
    QTest::newRow("hung up") << "--hangup-after=1" << LinkDevice::Nothing << F::DeviceLost
                             << F::DeviceLost << F::DeviceLost;
}

void TstBoardProcedures::outcomesOfEveryOperation() {
    QFETCH(QString, board);
    QFETCH(LinkDevice, linkTest);
    QFETCH(BoardFault, read);
    // Each operation on a board of its own, as each opens the port afresh.
    std::optional<VirtualBoard> device;
    SerialLink link;
    const auto fresh = [&]() -> SerialLink& {
        link.Close();
        device.emplace(board.isEmpty() ? QStringList{} : board.split(u'='));
        link.Open(device->devicePath());
        return link;
    };
    const LinkTestOutcome test = RunLinkTest(fresh());
    QVERIFY2(device->isReady(), qPrintable(device->errorString()));
    QCOMPARE(test.device, linkTest);
    QCOMPARE(test.deviceLost, read == BoardFault::DeviceLost);
    QCOMPARE(ReadBoardImage(fresh()).fault, read);
    QTEST(WriteBoardImage(fresh(), Counting()).fault, "write");
    const OutputOutcome out = SendOutputCommand(fresh(), 2, false);
    QTEST(out.fault, "output");
    QCOMPARE(out.states[2], out.fault == BoardFault::None); // "C" switches output 3 on
    link.Close();
}

QTEST_GUILESS_MAIN(TstBoardProcedures)
#include "tst_board_procedures.moc"
