#include "files/report_file.h"

#include "model/light_report.h"

#include <QDir>
#include <QFile>

QString LightReportPath(const QString& programFolder) {
    QString path = QDir::toNativeSeparators(programFolder);
    if (!path.endsWith(QDir::separator())) {
        path += QDir::separator();
    }
    return path + QString::fromLatin1(kLightReportFileName);
}

bool WriteLightReportFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();
    return true;
}
