#include "files/report_file.h"

#include "model/light_report.h"

#include <QDir>
#include <QFile>
#include <algorithm>

QString LightReportPath(const QString& programFolder) {
    QString path = QDir::toNativeSeparators(programFolder);
    if (!path.endsWith(QDir::separator())) {
        path += QDir::separator();
    }
    return path + QString::fromLatin1(kLightReportFileName);
}

bool WriteLightReportFile(const QString& path, const std::string& bytes) {
    // Overwritten in place and then cut to what was written, not emptied first: ext4 flushes
    // a file that was emptied and rewritten as soon as it is closed, which made every grid
    // refresh wait milliseconds for the disk whenever it was busy. The result is the same.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
        !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return false;
    }
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.resize(std::max<qint64>(written, 0));
    file.close();
    return true;
}
