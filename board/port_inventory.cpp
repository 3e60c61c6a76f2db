#include "board/port_inventory.h"

#include "model/hex_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

QString StableLinkIn(const QString& folder, const QString& devicePath) {
    const QString canonical = QFileInfo(devicePath).canonicalFilePath();
    if (canonical.isEmpty()) {
        return {};
    }
    // System as well: whatever QDir takes a link to a device node for, it is listed.
    for (const QFileInfo& link :
         QDir(folder).entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (link.canonicalFilePath() == canonical) {
            return link.absoluteFilePath();
        }
    }
    return {};
}

std::vector<SerialDevice> SystemPortInventory::PresentDevices() const {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.path = info.systemLocation();
        device.description = info.description();
        device.manufacturer = info.manufacturer();
        device.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier()) {
            device.vendorId = info.vendorIdentifier();
        }
        if (info.hasProductIdentifier()) {
            device.productId = info.productIdentifier();
        }
        device.stableLink = StableLinkIn(QStringLiteral("/dev/serial/by-id"), device.path);
        devices.push_back(device);
    }
    return devices;
}

QString PathToStore(const SerialDevice& device) {
    return device.stableLink.isEmpty() ? device.path : device.stableLink;
}

QString UsbIds(const SerialDevice& device) {
    if (!device.vendorId || !device.productId) {
        return {};
    }
    const auto hex = [](quint16 id) {
        return QString::fromStdString(HexDigits(id, 4)).toLower(); // as lsusb shows them
    };
    return hex(*device.vendorId) + QLatin1Char(':') + hex(*device.productId);
}
