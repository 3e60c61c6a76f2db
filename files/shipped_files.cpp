#include "files/shipped_files.h"

#include "model/app_identity.h"
#include "model/sample_files.h"

#include "files/dm6_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <optional>

namespace {

using Record = QHash<QString, QByteArray>; // file name -> SHA-256 in hex

std::optional<QByteArray> ReadWhole(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// All or nothing: a sample cut short by a full disk would be refused when opened.
bool WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray Digest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Lines as sha256sum writes them: the digest, two blanks, the name.
Record ReadRecord(const QString& path) {
    Record record;
    const std::optional<QByteArray> text = ReadWhole(path);
    if (!text) {
        return record;
    }
    for (const QByteArray& line : text->split('\n')) {
        const qsizetype gap = line.indexOf("  ");
        if (gap > 0) {
            record.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
        }
    }
    return record;
}

void WriteRecord(const QString& path, const Record& record) {
    QByteArray text;
    for (const QString& name : ShippedFileNames()) {
        if (record.contains(name)) {
            text += record.value(name) + "  " + name.toUtf8() + '\n';
        }
    }
    WriteWhole(path, text); // a lost record only makes the next start more careful
}

} // namespace

QStringList ShippedFileNames() {
    QStringList names;
    for (const SampleFile& sample : kSampleFiles) {
        names << QString::fromLatin1(sample.fileName);
    }
    names << QString::fromLatin1(kHelpFileName);
    return names;
}

QString BesideName(const QString& name, const QString& version) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    return stem + QStringLiteral("-nuovo-") + version + suffix;
}

SeedResult SeedProgramFolder(const QString& shippedFolder, const QString& programFolder,
                             const QString& version) {
    SeedResult result;
    const QDir from(shippedFolder);
    const QDir to(programFolder);
    result.folderReady = QDir().mkpath(programFolder) && QFileInfo(programFolder).isDir();
    if (!result.folderReady) {
        return result;
    }
    const QString recordPath = to.filePath(kShippedRecordName);
    Record record = ReadRecord(recordPath);
    const Record before = record;
    for (const QString& name : ShippedFileNames()) {
        const std::optional<QByteArray> shipped = ReadWhole(from.filePath(name));
        if (!shipped) {
            result.missingShipped << name;
            continue;
        }
        const QByteArray shippedDigest = Digest(*shipped);
        const QString target = to.filePath(name);
        if (!QFileInfo::exists(target)) {
            if (WriteWhole(target, *shipped)) {
                result.copied << name;
                record.insert(name, shippedDigest);
            }
            continue;
        }
        const std::optional<QByteArray> current = ReadWhole(target);
        if (!current) {
            continue; // something of the user's we cannot read: leave it be
        }
        const QByteArray currentDigest = Digest(*current);
        const QByteArray offered = record.value(name);
        if (currentDigest == shippedDigest || offered == shippedDigest) {
            record.insert(name, shippedDigest);
            continue;
        }
        if (!offered.isEmpty() && currentDigest == offered) {
            if (WriteWhole(target, *shipped)) {
                result.updated << name;
                record.insert(name, shippedDigest);
            }
            continue;
        }
        // The user changed this copy (or it predates the record): it stays as it is.
        const QString besideName = BesideName(name, version);
        const QString beside = to.filePath(besideName);
        if (QFileInfo::exists(beside)) {
            record.insert(name, shippedDigest);
        } else if (WriteWhole(beside, *shipped)) {
            result.addedBeside << besideName;
            record.insert(name, shippedDigest);
        }
    }
    if (record != before) {
        WriteRecord(recordPath, record);
    }
    return result;
}
