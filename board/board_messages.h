#pragma once
// The Italian texts that report a board operation, shared by the window and the command line.

#include "board/board_procedures.h"
#include "board/serial_link.h"

#include <QString>

inline const QString kCommErrorText = QStringLiteral("Errore comunicazione");
inline const QString kWriteErrorText = QStringLiteral("Errore scrittura dati");
inline const QString kWriteDoneText = QStringLiteral("Scrittura e verifica dati completata");
inline const QString kNoFaseEnabledText = QStringLiteral("Abilitare almeno una fase temporale.");
// After a write that stopped part-way the board takes every byte as image data.
inline const QString kResetBoardAdvice =
    QStringLiteral("premere il pulsante Reset della scheda prima del prossimo comando");

// A board or a loopback means the link test succeeded.
bool LinkTestSucceeded(LinkDevice device);

// The lines of the link test's report for the port named portText, joined by CR LF.
QString LinkTestText(const QString& portText, LinkDevice device);

// A read, write or output command whose port cannot be opened: "Impossibile aprire la porta "
// and the port ("COM3", or the device the command line was given).
QString PortOpenFailedText(const QString& portText);

// The link test's report when the port cannot be opened.
QString LinkTestOpenFailedText(const QString& portText);

// Why an operation failed, in a few words: "nessuna risposta entro 0,5 s" and the like. A
// PortError is told in the port's own words.
QString BoardFaultReason(BoardFault fault, const SerialLink::PortError& portError = {});

// The details of a failed exchange: the device and the reason, lines joined by CR LF.
// `attempted`: for a write, the image bytes sent when it failed (0: before the first byte).
QString BoardFaultDetail(const QString& device, BoardFault fault, int attempted = 0);

// The details of a write whose echo named another byte.
QString WrongEchoDetail(const QString& device, int attempted, std::uint8_t sent,
                        std::uint8_t echoed);
