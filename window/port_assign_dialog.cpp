#include "window/port_assign_dialog.h"

#include "board/assignment_check.h"
#include "board/open_failure_probe.h"
#include "board/port_naming.h"
#include "model/app_identity.h"
#include "window/modal_ui.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kAppTitle = QString::fromLatin1(kAppName);

// The stored path leads to this device: itself, its by-id link, or another link to it.
bool IsAssigned(const SerialDevice& device, const QString& assigned) {
    if (assigned.isEmpty()) {
        return false;
    }
    if (assigned == device.path || assigned == device.stableLink) {
        return true;
    }
    const QString target = QFileInfo(assigned).canonicalFilePath();
    return !target.isEmpty() && target == QFileInfo(device.path).canonicalFilePath();
}

} // namespace

PortAssignDialog::PortAssignDialog(ModalUi& ui, const std::vector<SerialDevice>& devices,
                                   int comNumber, const QString& assigned, QWidget* parent)
    : QDialog(parent), ui(ui), devices(devices), comNumber(comNumber) {
    const QString com = QStringLiteral("COM") + QString::number(comNumber);
    setWindowTitle(QStringLiteral("Assegna dispositivo a ") + com);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Dispositivi seriali presenti:"), this));
    lstDevices = new QTreeWidget(this);
    lstDevices->setObjectName(QStringLiteral("lstDevices"));
    lstDevices->setRootIsDecorated(false);
    lstDevices->setHeaderLabels({QStringLiteral("Dispositivo"), QStringLiteral("Descrizione"),
                                 QStringLiteral("Produttore"), QStringLiteral("Numero di serie"),
                                 QStringLiteral("VID:PID")});
    for (const SerialDevice& device : this->devices) {
        const bool current = IsAssigned(device, assigned);
        auto* item = new QTreeWidgetItem(
            lstDevices,
            {current ? device.path + QStringLiteral(" (assegnato)") : device.path,
             device.description, device.manufacturer, device.serialNumber, UsbIds(device)});
        // The path the assignment stores, the stable one where the system made it.
        item->setToolTip(0, PathToStore(device));
        if (current) {
            QFont font = item->font(0);
            font.setBold(true);
            item->setFont(0, font);
            lstDevices->setCurrentItem(item);
        }
    }
    lstDevices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstDevices);
    if (this->devices.empty()) {
        layout->addWidget(new QLabel(QStringLiteral("Nessun dispositivo seriale trovato."), this));
    }

    auto* form = new QFormLayout;
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    // A path not in the list (a pseudo-terminal, say) stays in the field as it is stored.
    txtPath->setText(assigned);
    txtPath->setPlaceholderText(DefaultDeviceName(comNumber));
    form->addRow(QStringLiteral("Percorso:"), txtPath);
    form->addRow(QStringLiteral("Predefinito:"),
                 new QLabel(DefaultDeviceName(comNumber) +
                                (assigned.isEmpty() ? QStringLiteral(" (in uso)") : QString()),
                            this));
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QPushButton* standard =
        buttons->addButton(QStringLiteral("Predefinito"), QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("cmdDefault"));
    layout->addWidget(buttons);

    connect(lstDevices, &QTreeWidget::itemSelectionChanged, this, &PortAssignDialog::DeviceChosen);
    connect(lstDevices, &QTreeWidget::itemDoubleClicked, this, &PortAssignDialog::ConfirmField);
    connect(ok, &QPushButton::clicked, this, &PortAssignDialog::ConfirmField);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(standard, &QPushButton::clicked, this, &PortAssignDialog::UseDefault);
    resize(720, 320);
}

void PortAssignDialog::DeviceChosen() {
    const QTreeWidgetItem* item = lstDevices->currentItem();
    if (item == nullptr) {
        return;
    }
    const int row = lstDevices->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    if (row >= 0 && static_cast<std::size_t>(row) < devices.size()) {
        txtPath->setText(PathToStore(devices[static_cast<std::size_t>(row)]));
    }
}

void PortAssignDialog::ConfirmField() {
    // Stored exactly as typed; anything that is no character device is asked about first.
    const QString path = txtPath->text();
    // A device of the list is present by definition, its by-id link included.
    const bool listed = std::any_of(devices.begin(), devices.end(),
                                    [&](const SerialDevice& d) { return PathToStore(d) == path; });
    const QString warning = listed ? QString()
                                   : AssignmentWarning(path, DevicePathType(path), comNumber,
                                                       DefaultDeviceName(comNumber));
    if (!warning.isEmpty() && ui.MsgBox(this, warning, MsgIcon::Exclamation, MsgButtons::OkCancel,
                                        kAppTitle) != MsgAnswer::Ok) {
        txtPath->setFocus();
        return;
    }
    chosen = path;
    accept();
}

void PortAssignDialog::UseDefault() {
    chosen.clear();
    accept();
}
