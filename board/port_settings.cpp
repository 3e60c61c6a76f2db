#include "board/port_settings.h"

#include "model/app_identity.h"
#include "model/ini_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString kStoreName = QString::fromLatin1(kAppName);

// The key's line as QSettings writes it (escapes, quotes and all), from a scratch file.
std::optional<IniEntry> FormattedEntry(const QString& key, const QString& text, QString& reason) {
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        reason = QStringLiteral("cartella temporanea non disponibile: ") + scratch.errorString();
        return std::nullopt;
    }
    const QString path = scratch.filePath(QStringLiteral("entry.ini"));
    {
        QSettings one(path, QSettings::IniFormat);
        one.setValue(key, text);
        one.sync();
        if (one.status() != QSettings::NoError) {
            reason = QStringLiteral("impossibile preparare la voce");
            return std::nullopt;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    std::optional<IniEntry> entry = FirstIniEntry(file.readAll().toStdString());
    if (!entry) {
        reason = QStringLiteral("impossibile preparare la voce");
    }
    return entry;
}

std::optional<QByteArray> ReadIfThere(const QString& path, QString& reason) {
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        return QByteArray();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<QVariant> StoredPortSettings::Value(const QString& key) const {
    const QSettings settings(kStoreName, kStoreName);
    if (!settings.contains(key)) {
        return std::nullopt;
    }
    return settings.value(key);
}

std::map<QString, QVariant> PortSettings::Values(const QStringList& keys) const {
    std::map<QString, QVariant> found;
    for (const QString& key : keys) {
        if (const std::optional<QVariant> value = Value(key)) {
            found.emplace(key, *value);
        }
    }
    return found;
}

std::map<QString, QVariant> StoredPortSettings::Values(const QStringList& keys) const {
    const QSettings settings(kStoreName, kStoreName);
    std::map<QString, QVariant> found;
    for (const QString& key : keys) {
        if (settings.contains(key)) {
            found.emplace(key, settings.value(key));
        }
    }
    return found;
}

QString StoredPortSettings::Location() const {
    return QSettings(kStoreName, kStoreName).fileName();
}

SettingsWrite StoredPortSettings::Write(const QString& key, const QString& text) {
    const QString path = Location();
    QString reason;
    const std::optional<IniEntry> entry =
        FormattedEntry(key, text.isEmpty() ? QStringLiteral("x") : text, reason);
    if (!entry) {
        return {reason};
    }
    const std::optional<QByteArray> before = ReadIfThere(path, reason);
    if (!before) {
        return {reason};
    }
    const std::string after = SetIniKey(before->toStdString(), *entry, text.isEmpty());
    if (after == before->toStdString()) {
        return {}; // already so
    }
    const QFileInfo info(path);
    // As QSettings does: a file the user may not write is not replaced behind its back.
    if (info.exists() && !info.isWritable()) {
        return {QStringLiteral("il file non è scrivibile")};
    }
    if (!QDir().mkpath(info.absolutePath())) {
        return {QStringLiteral("impossibile creare la cartella ") + info.absolutePath()};
    }
    // Written beside and renamed over the old file (its permissions kept); where the folder
    // allows no new file, written in place, as QSettings would.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const auto size = static_cast<qint64>(after.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(after.data(), size) != size ||
        !file.commit()) {
        return {file.errorString()};
    }
    return {};
}

std::optional<QVariant> MemoryPortSettings::Value(const QString& key) const {
    const auto found = values.find(key);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

SettingsWrite MemoryPortSettings::Write(const QString& key, const QString& text) {
    if (!failure.isEmpty()) {
        return {failure};
    }
    if (text.isEmpty()) {
        values.erase(key);
    } else {
        values[key] = text;
    }
    return {};
}

std::optional<QString> SettingsText(const QVariant& value, QString* shown) {
    if (value.typeId() == QMetaType::QString) {
        return value.toString();
    }
    if (shown != nullptr) {
        if (value.typeId() == QMetaType::QStringList) {
            *shown = value.toStringList().join(QStringLiteral(", "));
        } else {
            *shown = QStringLiteral("un valore di tipo ") + QString::fromLatin1(value.typeName());
        }
    }
    return std::nullopt;
}
