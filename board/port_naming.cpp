#include "board/port_naming.h"

#include "board/port_settings.h"
#include "model/app_identity.h"

namespace {

QString PlatformDeviceName(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(number);
#else
    return QStringLiteral("/dev/ttyS") + QString::number(number - 1);
#endif
}

QString PortKey(int number) {
    return QString::fromStdString(PortDeviceKey(number));
}

// What the store held at one look, for naming many ports without a look per port.
class SettingsSnapshot final : public PortSettings {
public:
    SettingsSnapshot(std::map<QString, QVariant> read, QString where)
        : values(std::move(read)), location(std::move(where)) {}
    std::optional<QVariant> Value(const QString& key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<QVariant>(found->second);
    }
    SettingsWrite Write(const QString&, const QString&) override {
        return {QStringLiteral("sola lettura")};
    }
    QString Location() const override { return location; }

private:
    std::map<QString, QVariant> values;
    QString location;
};

} // namespace

int ComPortNumber(const QString& entryText) {
    // The digits after "COM"; anything after them is ignored.
    const QString rest = entryText.mid(3).trimmed();
    qsizetype digits = 0;
    while (digits < rest.size() && digits < 5 && rest.at(digits).isDigit()) {
        ++digits;
    }
    bool ok = false;
    const int number = rest.left(digits).toInt(&ok);
    return ok ? number : 0;
}

PortDevice DeviceForPort(const PortSettings& settings, int number) {
    const QString key = PortKey(number);
    const std::optional<QVariant> stored = settings.Value(key);
    if (!stored) {
        return {PlatformDeviceName(number), {}};
    }
    QString shown;
    const std::optional<QString> path = SettingsText(*stored, &shown);
    if (!path) {
        return {{},
                QStringLiteral("La voce ") + key + QStringLiteral(" delle impostazioni (") +
                    settings.Location() + QStringLiteral(") non è un percorso: ") + shown};
    }
    return {path->isEmpty() ? PlatformDeviceName(number) : *path, {}};
}

QStringList DeviceNamesForPorts(const PortSettings& settings, const QList<int>& numbers) {
    QStringList keys;
    for (const int number : numbers) {
        keys.push_back(PortKey(number));
    }
    const SettingsSnapshot snapshot(settings.Values(keys), settings.Location());
    QStringList names;
    names.reserve(numbers.size());
    for (const int number : numbers) {
        const PortDevice device = DeviceForPort(snapshot, number);
        names.push_back(device.problem.isEmpty() ? device.path : device.problem);
    }
    return names;
}

QString DefaultDeviceName(int number) {
    return PlatformDeviceName(number);
}

QString AssignedDevice(const PortSettings& settings, int number) {
    const std::optional<QVariant> stored = settings.Value(PortKey(number));
    return stored ? SettingsText(*stored).value_or(QString()) : QString();
}

SettingsWrite AssignDevice(PortSettings& settings, int number, const QString& path) {
    return settings.Write(PortKey(number), path);
}
