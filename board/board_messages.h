#pragma once
// The Italian texts that report a board operation, shared by the window and the command line.

#include "board/board_procedures.h"

#include <QString>

inline const QString kCommErrorText = QStringLiteral("Errore comunicazione");
inline const QString kWriteErrorText = QStringLiteral("Errore scrittura dati");
inline const QString kWriteDoneText = QStringLiteral("Scrittura e verifica dati completata");
inline const QString kNoFaseEnabledText = QStringLiteral("Abilitare almeno una fase temporale.");

// A board or a loopback means the link test succeeded.
bool LinkTestSucceeded(LinkDevice device);

// The lines of the link test's report for the port named portText, joined by CR LF.
QString LinkTestText(const QString& portText, LinkDevice device);

// A read, write or output command whose port cannot be opened: "Impossibile aprire la porta "
// and the port ("COM3", or the device the command line was given).
QString PortOpenFailedText(const QString& portText);

// The link test's report when the port cannot be opened.
QString LinkTestOpenFailedText(const QString& portText);

// Why an operation failed, in a few words: "nessuna risposta entro 0,5 s" and the like.
QString BoardFaultReason(BoardFault fault);
