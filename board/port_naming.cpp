#include "board/port_naming.h"

#include "model/app_identity.h"

#include <QSettings>

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

QString DeviceNameForPort(int number) {
    return DeviceNamesForPorts({number}).front();
}

QStringList DeviceNamesForPorts(const QList<int>& numbers) {
    // One settings object for all of them: each one looks for four files on the disk.
    const QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    QStringList names;
    names.reserve(numbers.size());
    for (const int number : numbers) {
        const QString mapped = settings.value(PortKey(number)).toString();
        names.push_back(mapped.isEmpty() ? PlatformDeviceName(number) : mapped);
    }
    return names;
}

QString DefaultDeviceName(int number) {
    return PlatformDeviceName(number);
}

QString AssignedDevice(int number) {
    const QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    return settings.value(PortKey(number)).toString();
}

void AssignDevice(int number, const QString& path) {
    QSettings settings(QString::fromLatin1(kAppName), QString::fromLatin1(kAppName));
    if (path.isEmpty()) {
        settings.remove(PortKey(number));
    } else {
        settings.setValue(PortKey(number), path);
    }
}
