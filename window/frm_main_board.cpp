// Board operations: link test, read, write and the output buttons.

#include "window/frm_main.h"

#include "board/serial_link.h"

void frmMain::cmdCommTest_Click() {}

void frmMain::cmdEdataRead_Click() {}

void frmMain::cmdEdataWrite_Click() {}

void frmMain::cmdOutOnoff_Click(int /*output*/) {}

bool frmMain::OpenCommPort() {
    return false;
}

QByteArray frmMain::CommTxRx(const QByteArray& strTx) {
    return MSComm->CommTxRx(strTx);
}

void frmMain::CloseCommPort() {
    MSComm->Close();
}
