// The port list's own menu: assigning a device to a COM entry, and the device each entry opens
// shown as its item's tooltip.

#include "window/frm_main.h"

#include "board/port_inventory.h"
#include "board/port_naming.h"
#include "window/port_assign_dialog.h"
#include "window/port_list_events.h"

#include <QComboBox>

namespace {

enum PortMenuItem { kAssignDevice = 1 };

} // namespace

void frmMain::SetPortInventory(const PortInventory* inventory) {
    portInventory = inventory;
}

void frmMain::WatchPortList() {
    new PortListEvents(
        cboComm, [this](QPoint globalPos) { cboComm_ContextMenu(globalPos); },
        [this] { RefreshPortTips(); });
    RefreshPortTips();
}

void frmMain::RefreshPortTips() {
    QList<int> numbers;
    for (int i = 0; i < cboComm->count(); ++i) {
        numbers.push_back(ComPortNumber(cboComm->itemText(i)));
    }
    const QStringList devices = DeviceNamesForPorts(numbers);
    for (int i = 0; i < cboComm->count(); ++i) {
        cboComm->setItemData(i, devices.at(i), Qt::ToolTipRole);
    }
}

void frmMain::cboComm_ContextMenu(QPoint globalPos) {
    // Busy: the port's device must not change under a running operation.
    if (Busy()) {
        return;
    }
    RefreshPortTips(); // another program may have changed an assignment meanwhile
    const int index = cboComm->currentIndex();
    MenuEntry menu;
    MenuEntry assign;
    assign.id = kAssignDevice;
    assign.enabled = index >= 0;
    assign.caption = QStringLiteral("Assegna dispositivo a ") +
                     (index >= 0 ? cboComm->itemText(index) : QStringLiteral("COM")) +
                     QStringLiteral("...");
    menu.items.push_back(assign);
    if (ui.PopupMenu(this, menu, globalPos) == kAssignDevice) {
        AssignDeviceToPort(ComPortNumber(cboComm->itemText(index)));
    }
}

void frmMain::AssignDeviceToPort(int number) {
    const SystemPortInventory systemInventory;
    const PortInventory& inventory = portInventory != nullptr
                                         ? *portInventory
                                         : static_cast<const PortInventory&>(systemInventory);
    PortAssignDialog dialog(ui, inventory.PresentDevices(), number, AssignedDevice(number), this);
    if (!ui.ExecDialog(dialog)) {
        return;
    }
    AssignDevice(number, dialog.ChosenPath());
    RefreshPortTips();
}
