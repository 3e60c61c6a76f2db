#include "board/board_messages.h"

#include <QStringList>

namespace {

const QString kCheckLines =
    QStringLiteral("Accertarsi che la porta seriale selezionata sia corretta e\r\n"
                   "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).");

QString Lines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

QString FoundText(LinkDevice device) {
    switch (device) {
    case LinkDevice::Board:
        return QStringLiteral("Rilevata scheda Miravel6.");
    case LinkDevice::Loopback:
        return QStringLiteral("Rilevato Loopback.");
    case LinkDevice::Other:
        return QStringLiteral("Rilevato modem AT o altro dispositivo.");
    case LinkDevice::Nothing:
        break;
    }
    return QStringLiteral("Nessun dispositivo connesso.");
}

} // namespace

bool LinkTestSucceeded(LinkDevice device) {
    return device == LinkDevice::Board || device == LinkDevice::Loopback;
}

QString LinkTestText(const QString& portText, LinkDevice device) {
    if (LinkTestSucceeded(device)) {
        return Lines({QStringLiteral("Test su porta seriale ") + portText +
                          QStringLiteral(" concluso con successo!"),
                      FoundText(device)});
    }
    return Lines(
        {QStringLiteral("Porta seriale ") + portText + QStringLiteral(" aperta con successo."),
         FoundText(device), kCheckLines});
}

QString PortOpenFailedText(const QString& portText) {
    return QStringLiteral("Impossibile aprire la porta ") + portText;
}

QString LinkTestOpenFailedText(const QString& portText) {
    return Lines({QStringLiteral("Test su porta seriale ") + portText + QStringLiteral(" fallito."),
                  QStringLiteral("Impossibile aprire la porta."), kCheckLines});
}

QString BoardFaultReason(BoardFault fault, const SerialLink::PortError& portError) {
    switch (fault) {
    case BoardFault::None:
        break;
    case BoardFault::NoReply:
        return QStringLiteral("nessuna risposta completa entro 0,5 s");
    case BoardFault::DeviceLost:
        return QStringLiteral("il dispositivo si è scollegato");
    case BoardFault::PortError:
        if (portError.dataVanished) {
            return QStringLiteral("i dati in arrivo sono spariti prima della lettura: forse un "
                                  "altro programma legge dalla stessa porta (") +
                   portError.systemText + QLatin1Char(')');
        }
        return QStringLiteral("errore della porta seriale: ") + portError.systemText;
    case BoardFault::BadReply:
        return QStringLiteral("risposta non valida");
    case BoardFault::UnfinishedWrite:
        return QStringLiteral("la scheda attende ancora il resto di una scrittura interrotta; ") +
               kResetBoardAdvice;
    case BoardFault::Interrupted:
        return QStringLiteral("scrittura interrotta; ") + kResetBoardAdvice;
    case BoardFault::WrongEcho:
        return QStringLiteral("la scheda ha confermato un byte diverso");
    }
    return {};
}

namespace {

QString AtByte(int attempted) {
    return QStringLiteral(" al byte %1 di %2").arg(attempted).arg(kEdataSize);
}

QString HexByte(std::uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString BoardFaultDetail(const QString& device, BoardFault fault, int attempted) {
    return Lines({QStringLiteral("Dispositivo: ") + device,
                  QStringLiteral("Motivo: ") + BoardFaultReason(fault) +
                      (attempted > 0 ? AtByte(attempted) : QString()) + QLatin1Char('.')});
}

QString WrongEchoDetail(const QString& device, int attempted, std::uint8_t sent,
                        std::uint8_t echoed) {
    return Lines({QStringLiteral("Dispositivo: ") + device,
                  QStringLiteral("Motivo:") + AtByte(attempted) + QStringLiteral(" inviato ") +
                      HexByte(sent) + QStringLiteral(", la scheda ha confermato ") +
                      HexByte(echoed) + QLatin1Char('.')});
}
