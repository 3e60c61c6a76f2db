// The texts that report a board operation, which the window's messages and the command line's
// errors are both built from: checked here once, so each of them needs only the row proving
// it is wired.

#include "board/board_messages.h"

#include <gtest/gtest.h>

namespace {

// Lines as written here with \n, as the messages join them: CR LF.
std::string CrLf(const std::string& text) {
    return QString::fromStdString(text)
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
        .toStdString();
}

const std::string kCheck = "\nAccertarsi che la porta seriale selezionata sia corretta e\n"
                           "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).";

} // namespace

TEST(BoardMessages, EachDeviceTheLinkTestFindsHasItsReport) {
    const std::string passed = "Test su porta seriale COM2 concluso con successo!\n";
    const std::string opened = "Porta seriale COM2 aperta con successo.\n";
    const struct {
        LinkDevice device;
        bool succeeded;
        std::string text;
    } rows[] = {
        {LinkDevice::Board, true, passed + "Rilevata scheda Miravel6."},
        {LinkDevice::Loopback, true, passed + "Rilevato Loopback."},
        {LinkDevice::Other, false, opened + "Rilevato modem AT o altro dispositivo." + kCheck},
        {LinkDevice::Nothing, false, opened + "Nessun dispositivo connesso." + kCheck},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LinkTestSucceeded(row.device), row.succeeded) << row.text;
        EXPECT_EQ(LinkTestText(QStringLiteral("COM2"), row.device).toStdString(), CrLf(row.text));
    }
}

TEST(BoardMessages, APortThatDoesNotOpen) {
    EXPECT_EQ(LinkTestOpenFailedText(QStringLiteral("COM16")).toStdString(),
              CrLf("Test su porta seriale COM16 fallito.\nImpossibile aprire la porta." + kCheck));
    // The command line names a device where the window names its entry.
    EXPECT_EQ(PortOpenFailedText(QStringLiteral("/dev/ttyUSB0")).toStdString(),
              "Impossibile aprire la porta /dev/ttyUSB0");
}

TEST(BoardMessages, EachFaultHasItsReason) {
    const std::string reset = "premere il pulsante Reset della scheda prima del prossimo comando";
    const struct {
        BoardFault fault;
        SerialLink::PortError portError;
        std::string reason;
    } rows[] = {
        {BoardFault::NoReply, {}, "nessuna risposta completa entro 0,5 s"},
        {BoardFault::DeviceLost, {}, "il dispositivo si è scollegato"},
        {BoardFault::PortError,
         {false, QStringLiteral("Input/output error")},
         "errore della porta seriale: Input/output error"},
        // Another program reading the same device took the reply: no unplugged device.
        {BoardFault::PortError,
         {true, QStringLiteral("Resource temporarily unavailable")},
         "i dati in arrivo sono spariti prima della lettura: forse un altro programma legge "
         "dalla stessa porta (Resource temporarily unavailable)"},
        {BoardFault::BadReply, {}, "risposta non valida"},
        {BoardFault::WrongEcho, {}, "la scheda ha confermato un byte diverso"},
        {BoardFault::UnfinishedWrite,
         {},
         "la scheda attende ancora il resto di una scrittura interrotta; " + reset},
        {BoardFault::Interrupted, {}, "scrittura interrotta; " + reset},
        {BoardFault::None, {}, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(BoardFaultReason(row.fault, row.portError).toStdString(), row.reason);
    }
}

TEST(BoardMessages, TheDetailsNameTheDeviceTheReasonAndTheByte) {
    const QString device = QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(BoardFaultDetail(device, BoardFault::NoReply).toStdString(),
              CrLf("Dispositivo: /dev/ttyUSB0\nMotivo: nessuna risposta completa entro 0,5 s."));
    EXPECT_EQ(BoardFaultDetail(device, BoardFault::DeviceLost, 21).toStdString(),
              CrLf("Dispositivo: /dev/ttyUSB0\n"
                   "Motivo: il dispositivo si è scollegato al byte 21 di 128."));
    // Bytes in two hexadecimal digits, capitals, a leading zero kept.
    EXPECT_EQ(WrongEchoDetail(device, 41, 0x0A, 0xFB).toStdString(),
              CrLf("Dispositivo: /dev/ttyUSB0\n"
                   "Motivo: al byte 41 di 128 inviato 0A, la scheda ha confermato FB."));
}
