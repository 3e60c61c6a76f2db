#pragma once
// The files an installed copy brings into the user's program folder: missing ones are copied,
// a copy the user changed is never overwritten (a newer shipped one goes beside it).

#include <QString>
#include <QStringList>

// The five samples and the help file, as named in the program folder.
QStringList ShippedFileNames();

// The name under which a newer shipped file goes beside the user's own copy:
// "e_eff.dm6" of version 1.1 becomes "e_eff-nuovo-1.1.dm6".
QString BesideName(const QString& name, const QString& version);

// Remembers, per file, the shipped contents last offered; a hidden file in the program folder.
inline const QString kShippedRecordName = QStringLiteral(".miravel6-shipped");

struct SeedResult {
    bool folderReady = false;
    QStringList copied;         // were missing
    QStringList updated;        // an older copy the user never changed, replaced
    QStringList addedBeside;    // beside a copy the user changed
    QStringList missingShipped; // not in the shipped folder
};

SeedResult SeedProgramFolder(const QString& shippedFolder, const QString& programFolder,
                             const QString& version);
