#pragma once
// The small dialog that assigns a device to one COM entry: the serial devices present now,
// a field for any other path, and "Predefinito" to go back to the platform's own device.

#include "board/port_inventory.h"

#include <QDialog>
#include <optional>

class ModalUi;
class QLineEdit;
class QTreeWidget;

class PortAssignDialog final : public QDialog {
    Q_OBJECT

public:
    // `assigned`: the stored path of the entry, empty when it has none.
    PortAssignDialog(ModalUi& ui, const std::vector<SerialDevice>& devices, int comNumber,
                     const QString& assigned, QWidget* parent = nullptr);

    // After acceptance: the path to store, empty for the default device.
    QString ChosenPath() const { return chosen; }

private:
    void DeviceChosen();
    void ConfirmField();
    void UseDefault();

    ModalUi& ui;
    std::vector<SerialDevice> devices;
    int comNumber;
    QTreeWidget* lstDevices = nullptr;
    QLineEdit* txtPath = nullptr;
    QString chosen;
};
