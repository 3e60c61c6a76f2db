// Board operations: link test, read, write and the output buttons.

#include "window/frm_main.h"

#include "board/port_naming.h"
#include "board/serial_link.h"
#include "model/board_protocol.h"
#include "model/fase_time.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QStringList>

#include <string_view>

namespace {

const QColor kOutputOnColor(255, 0, 0);

const QString kCommError = QStringLiteral("Errore comunicazione");

QString Lines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The button's colour is the only record of what the board last reported.
bool IsOutputOn(const QPushButton* button) {
    return button->palette().color(QPalette::Button) == kOutputOnColor;
}

void ShowOutputState(QPushButton* button, bool on) {
    if (on) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, kOutputOnColor);
        button->setPalette(palette);
    } else {
        // Back to the inherited palette: the normal button face.
        button->setPalette(QPalette());
    }
}

const QString kCheckLines =
    QStringLiteral("Accertarsi che la porta seriale selezionata sia corretta e\r\n"
                   "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).");

// What the link test found on the port: a board or a loopback means the test succeeded;
// anything else only that the port opened, with the advice to check the connection.
struct LinkFinding {
    bool recognised;
    QString found;
};

LinkFinding FindingOf(LinkDevice device) {
    switch (device) {
    case LinkDevice::Board:
        return {true, QStringLiteral("Rilevata scheda Miravel6.")};
    case LinkDevice::Loopback:
        return {true, QStringLiteral("Rilevato Loopback.")};
    case LinkDevice::Other:
        return {false, QStringLiteral("Rilevato modem AT o altro dispositivo.")};
    case LinkDevice::Nothing:
        break;
    }
    return {false, QStringLiteral("Nessun dispositivo connesso.")};
}

QString LinkTestText(const QString& port, const LinkFinding& finding) {
    if (finding.recognised) {
        return Lines({QStringLiteral("Test su porta seriale ") + port +
                          QStringLiteral(" concluso con successo!"),
                      finding.found});
    }
    return Lines({QStringLiteral("Porta seriale ") + port + QStringLiteral(" aperta con successo."),
                  finding.found, kCheckLines});
}

} // namespace

void frmMain::cmdCommTest_Click() {
    if (PortIsOpen()) {
        return;
    }
    if (!OpenCommPort()) {
        Message(Lines({QStringLiteral("Test su porta seriale ") + cboComm->currentText() +
                           QStringLiteral(" fallito."),
                       QStringLiteral("Impossibile aprire la porta."), kCheckLines}),
                MsgIcon::Critical);
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });
    lblStatus->setText(QStringLiteral("Test funzionamento porta seriale in corso..."));

    const QByteArray strRx = CommTxRx(QByteArrayLiteral("RAT\r\n"));
    const LinkFinding finding = FindingOf(ClassifyLinkReply(View(strRx)));
    Message(LinkTestText(cboComm->currentText(), finding),
            finding.recognised ? MsgIcon::Information : MsgIcon::Exclamation);
}

void frmMain::cmdEdataRead_Click() {
    if (PortIsOpen()) {
        return;
    }
    if (!OpenForOperation(QStringLiteral("Lettura dati dalla scheda in corso..."))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    const QByteArray strRx = CommTxRx(QByteArrayLiteral("R"));
    const std::optional<EdataBytes> received = ParseReadReply(View(strRx));
    if (!received) {
        Message(kCommError, MsgIcon::Critical);
        return;
    }
    ApplyEdata(*received, kAppTitle + QStringLiteral(" - Lettura da scheda"));
}

void frmMain::cmdEdataWrite_Click() {
    if (PortIsOpen()) {
        return;
    }
    // The image is what gets sent; it must agree with the lists that at least one phase runs.
    const EdataBytes image = Edata;
    FaseCodes imageCodes{};
    for (std::size_t p = 0; p < kFasi; ++p) {
        imageCodes[p] = image[p] & 63;
    }
    if (!AnyFaseEnabled(CurrentFaseCodes()) || !AnyFaseEnabled(imageCodes)) {
        Message(QStringLiteral("Abilitare almeno una fase temporale."), MsgIcon::Question);
        return;
    }
    if (!OpenForOperation(QStringLiteral("Scrittura dati su scheda in corso"))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    if (!IsWriteReady(View(CommTxRx(QByteArrayLiteral("W"))))) {
        Message(kCommError, MsgIcon::Critical);
        return;
    }
    // One dot per byte. The 128 dots come in under a second: the line is repainted at most
    // 25 times a second, which reads the same and keeps the wait nearly free of CPU. Before a
    // message the line always shows every dot.
    QString status = lblStatus->text();
    QElapsedTimer sinceShown;
    for (const std::uint8_t byte : image) {
        status += QLatin1Char('.');
        if (!sinceShown.isValid() || sinceShown.elapsed() >= 40) {
            lblStatus->setText(status);
            sinceShown.start();
        }
        const QByteArray strRx = CommTxRx(QByteArray(1, static_cast<char>(byte)));
        const EchoCheck echo = CheckWriteEcho(View(strRx), byte);
        if (echo != EchoCheck::Confirmed) {
            lblStatus->setText(status);
            Message(echo == EchoCheck::CommError ? kCommError
                                                 : QStringLiteral("Errore scrittura dati"),
                    MsgIcon::Critical);
            return;
        }
    }
    lblStatus->setText(status + QStringLiteral("OK!"));
    Message(QStringLiteral("Scrittura e verifica dati completata"), MsgIcon::Information);
}

void frmMain::cmdOutOnoff_Click(int output) {
    if (PortIsOpen()) {
        return;
    }
    if (!OpenForOperation(QStringLiteral("Invio comando on/off per uscite scheda..."))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    const char command =
        OutputCommand(output, IsOutputOn(cmdOutOnoff[static_cast<std::size_t>(output)]));
    const std::optional<OutputStates> states =
        ParseOutputReply(View(CommTxRx(QByteArray(1, command))));
    if (!states) {
        Message(kCommError, MsgIcon::Critical);
        return;
    }
    for (std::size_t j = 0; j < cmdOutOnoff.size(); ++j) {
        ShowOutputState(cmdOutOnoff[j], (*states)[j]);
    }
}

bool frmMain::OpenCommPort() {
    if (cboComm->currentIndex() < 0) {
        MSComm->Close();
        return false;
    }
    const int number = ComPortNumber(cboComm->currentText());
    MSComm->SetCommPort(number);
    return MSComm->Open(DeviceNameForPort(number));
}

QByteArray frmMain::CommTxRx(const QByteArray& strTx) {
    return MSComm->CommTxRx(strTx);
}

void frmMain::CloseCommPort() {
    MSComm->Close();
    SetIdleStatus();
}

bool frmMain::OpenForOperation(const QString& status) {
    if (!OpenCommPort()) {
        ShowOpenFailure();
        return false;
    }
    lblStatus->setText(status);
    return true;
}

void frmMain::ShowOpenFailure() {
    Message(QStringLiteral("Impossibile aprire la porta COM") + QString::number(MSComm->CommPort()),
            MsgIcon::Critical);
}
