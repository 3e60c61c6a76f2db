#include "files/dm6_file.h"

#include "files/format/dm6_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString ProgramFilePath(const QString& programFolder, const QString& fileName) {
    QString path = QDir::toNativeSeparators(programFolder);
    if (!path.endsWith(QDir::separator())) {
        path += QDir::separator();
    }
    return path + fileName;
}

std::optional<Configuration> ReadDm6File(const QString& path) {
    return CheckDm6File(path).config;
}

Dm6Verdict CheckDm6File(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {std::nullopt, 0, "il file non esiste"};
    }
    if (!info.isFile()) {
        return {std::nullopt, 0, "non è un file"};
    }
    if (info.size() > kDm6MaxFileBytes) {
        return {std::nullopt, 0, "il file è troppo grande"};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, 0, "lettura impossibile: " + file.errorString().toStdString()};
    }
    // The size may have changed since it was checked; never hold more than the limit.
    const QByteArray bytes = file.read(kDm6MaxFileBytes + 1);
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed) {
        return {std::nullopt, 0, "lettura impossibile: " + readError.toStdString()};
    }
    if (bytes.size() > kDm6MaxFileBytes) {
        return {std::nullopt, 0, "il file è troppo grande"};
    }
    return CheckDm6(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool WriteDm6File(const QString& path, const Configuration& config) {
    const std::string bytes = WriteDm6(config);
    const auto size = static_cast<qint64>(bytes.size());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    // commit() does not notice a short write (a full disk) by itself and would replace the
    // old file with a truncated one: check that every byte went out first.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        file.cancelWriting();
    }
    return file.commit();
}
