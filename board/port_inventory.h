#pragma once
// The serial devices present now, behind a small interface so that a test can list adapters
// this machine does not have.

#include <QString>
#include <optional>
#include <vector>

struct SerialDevice {
    QString path; // /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;
    // The device's stable name, /dev/serial/by-id/..., when the system made one.
    QString stableLink;
};

class PortInventory {
public:
    virtual ~PortInventory() = default;
    virtual std::vector<SerialDevice> PresentDevices() const = 0;
};

// Qt SerialPort's list of ports, with the by-id links found for them.
class SystemPortInventory final : public PortInventory {
public:
    std::vector<SerialDevice> PresentDevices() const override;
};

// The link in `folder` (the system's is /dev/serial/by-id) that leads to `devicePath`, or
// empty when none does. Both sides are resolved, so a relative link and a device path that is
// itself a link match too.
QString StableLinkIn(const QString& folder, const QString& devicePath);

// What an assignment stores for a listed device: the stable link where there is one, so that
// the assignment survives re-plugging and a second adapter; otherwise the device path.
QString PathToStore(const SerialDevice& device);

// "0403:6001", or empty when either id is unknown.
QString UsbIds(const SerialDevice& device);
