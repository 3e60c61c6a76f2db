// Board operations: link test, read, write and the output buttons.

#include "window/frm_main.h"

#include "board/board_messages.h"
#include "board/board_procedures.h"
#include "board/open_failure.h"
#include "board/port_naming.h"
#include "board/serial_link.h"
#include "model/fase_time.h"
#include "window/output_button.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

void frmMain::cmdCommTest_Click() {
    if (Busy()) {
        return;
    }
    if (!OpenCommPort()) {
        ui.DetailedMsgBox(this, LinkTestOpenFailedText(cboComm->currentText()), MsgIcon::Critical,
                          MsgButtons::Ok, kAppTitle, openFailureDetail);
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });
    lblStatus->setText(QStringLiteral("Test funzionamento porta seriale in corso..."));

    const LinkDevice device = RunLinkTest(*MSComm).device;
    Message(LinkTestText(cboComm->currentText(), device),
            LinkTestSucceeded(device) ? MsgIcon::Information : MsgIcon::Exclamation);
}

void frmMain::cmdEdataRead_Click() {
    if (Busy()) {
        return;
    }
    if (!OpenForOperation(QStringLiteral("Lettura dati dalla scheda in corso..."))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    const ReadOutcome read = ReadBoardImage(*MSComm);
    if (read.fault != BoardFault::None) {
        ShowCommError(read.fault);
        return;
    }
    ApplyEdata(read.image, kAppTitle + QStringLiteral(" - Lettura da scheda"));
    KeepConfiguration();
}

void frmMain::cmdEdataWrite_Click() {
    if (Busy()) {
        return;
    }
    // The image is what gets sent: at least one of its phases must run.
    const EdataBytes image = Edata;
    if (!ImageHasEnabledFase(image)) {
        Message(kNoFaseEnabledText, MsgIcon::Question);
        return;
    }
    if (!OpenForOperation(QStringLiteral("Scrittura dati su scheda in corso"))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    // One dot per byte. The 128 dots come in under a second: the line is repainted at most
    // 25 times a second, which reads the same and keeps the wait nearly free of CPU. Before a
    // message the line always shows every dot.
    const QString start = lblStatus->text();
    QString status = start;
    QElapsedTimer sinceShown;
    const WriteOutcome written = WriteBoardImage(*MSComm, image, [&](int attempted) {
        status = start + QString(attempted, QLatin1Char('.'));
        if (!sinceShown.isValid() || sinceShown.elapsed() >= 40) {
            lblStatus->setText(status);
            sinceShown.start();
        }
    });
    lblStatus->setText(status);
    switch (written.fault) {
    case BoardFault::None:
        lblStatus->setText(status + QStringLiteral("OK!"));
        KeepConfiguration();
        Message(kWriteDoneText, MsgIcon::Information);
        return;
    case BoardFault::WrongEcho:
        DetailedMessage(kWriteErrorText, MsgIcon::Critical,
                        WrongEchoDetail(OpenDevicePath(), written.attempted,
                                        image[static_cast<std::size_t>(written.attempted - 1)],
                                        written.echoed));
        return;
    case BoardFault::NoReply:
    case BoardFault::DeviceLost:
    case BoardFault::PortError:
    case BoardFault::BadReply:
    case BoardFault::UnfinishedWrite:
    case BoardFault::Interrupted:
        ShowCommError(written.fault, written.attempted);
        return;
    }
}

void frmMain::cmdOutOnoff_Click(int output) {
    if (Busy()) {
        return;
    }
    if (!OpenForOperation(QStringLiteral("Invio comando on/off per uscite scheda..."))) {
        return;
    }
    const auto closing = qScopeGuard([this] { CloseCommPort(); });

    const OutputOutcome reply =
        SendOutputCommand(*MSComm, output, !outputsOn[static_cast<std::size_t>(output)]);
    if (reply.fault != BoardFault::None) {
        ShowCommError(reply.fault);
        return;
    }
    outputsOn = reply.states;
    for (std::size_t j = 0; j < cmdOutOnoff.size(); ++j) {
        cmdOutOnoff[j]->ShowOn(outputsOn[j]);
    }
}

bool frmMain::OpenCommPort() {
    if (cboComm->currentIndex() < 0) {
        MSComm->Close();
        openFailureDetail = NoPortChosenFailure().detail;
        return false;
    }
    const int number = ComPortNumber(cboComm->currentText());
    MSComm->SetCommPort(number);
    const PortDevice device = DeviceForPort(settings, number);
    if (!device.problem.isEmpty()) {
        MSComm->Close();
        openFailureDetail = device.problem;
        return false;
    }
    const bool opened = MSComm->Open(device.path);
    openFailureDetail = MSComm->LastOpenFailure().detail;
    return opened;
}

void frmMain::CloseCommPort() {
    MSComm->Close();
    SetIdleStatus();
    if (closeWhenIdle) {
        // After the handler that ran the operation has returned.
        closeWhenIdle = false;
        QTimer::singleShot(0, this, &frmMain::RequestClose);
    }
}

void frmMain::RequestClose() {
    if (PortIsOpen()) {
        closeWhenIdle = true;
        return;
    }
    close();
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
    ui.DetailedMsgBox(
        this, PortOpenFailedText(QStringLiteral("COM") + QString::number(MSComm->CommPort())),
        MsgIcon::Critical, MsgButtons::Ok, kAppTitle, openFailureDetail);
}

QString frmMain::OpenDevicePath() const {
    return DeviceForPort(settings, MSComm->CommPort()).path;
}

void frmMain::ShowCommError(BoardFault fault, int attempted) {
    DetailedMessage(kCommErrorText, MsgIcon::Critical,
                    BoardFaultDetail(OpenDevicePath(), fault, attempted));
}
