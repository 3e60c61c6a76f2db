#include "board/port_inventory.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

// The by-id folder's links, each with the device it leads to.
std::vector<std::pair<QString, QString>> StableLinks() {
    std::vector<std::pair<QString, QString>> links;
    const QDir folder(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files)) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty()) {
            links.emplace_back(link.absoluteFilePath(), target);
        }
    }
    return links;
}

} // namespace

std::vector<SerialDevice> SystemPortInventory::PresentDevices() const {
    const auto links = StableLinks();
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
        const QString canonical = QFileInfo(device.path).canonicalFilePath();
        for (const auto& [link, target] : links) {
            if (target == canonical) {
                device.stableLink = link;
                break;
            }
        }
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
        return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
    };
    return hex(*device.vendorId) + QLatin1Char(':') + hex(*device.productId);
}
