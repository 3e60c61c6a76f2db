#include "files/program_folder.h"

#include "build_info.h"
#include "files/dm6_file.h"
#include "files/make_folder.h"
#include "files/shipped_files.h"
#include "files/version.h"
#include "files/write_failure.h"
#include "model/app_identity.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderFacts& facts) {
    const bool portable = facts.executableFolderHoldsFiles && facts.executableFolderWritable;
    if (portable || facts.userDataFolder.isEmpty()) {
        return {facts.executableFolder, {}};
    }
    // A read-only copy that carries its files seeds from itself; an installed one from share/.
    return {facts.userDataFolder,
            facts.executableFolderHoldsFiles ? facts.executableFolder : facts.shippedFolder};
}

QString FilesFolder(const ProgramFolderChoice& choice, bool folderUsable) {
    return folderUsable || choice.seedFrom.isEmpty() ? choice.folder : choice.seedFrom;
}

QString ProgramFilePath(const QString& programFolder, const QString& fileName) {
    QString path = QDir::toNativeSeparators(programFolder);
    if (!path.endsWith(QDir::separator())) {
        path += QDir::separator();
    }
    return path + fileName;
}

QString UserDataFolder() {
    // Not AppDataLocation: with the organisation named like the program that would give
    // ~/.local/share/Miravel6/Miravel6.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // Clean: without HOME the base is "//.local/share".
    return base.isEmpty() ? QString()
                          : QDir::cleanPath(QDir(base).filePath(QLatin1String(kAppName)));
}

ProgramFolderFacts ExamineProgramFolders(const QString& executableFolder,
                                         const QString& userDataFolder) {
    ProgramFolderFacts facts;
    facts.executableFolder = executableFolder;
    const QDir executableDir(executableFolder);
    for (const QString& name : ShippedFileNames()) {
        facts.executableFolderHoldsFiles =
            facts.executableFolderHoldsFiles || QFileInfo(executableDir.filePath(name)).isFile();
    }
    facts.executableFolderWritable = QFileInfo(executableFolder).isWritable();
    facts.shippedFolder =
        QDir::cleanPath(executableDir.filePath(QStringLiteral(MIRAVEL6_SHIPPED_FROM_BIN)));
    facts.userDataFolder = userDataFolder;
    return facts;
}

ProgramFolders SetUpProgramFolder(const QString& executableFolder, const QString& userDataFolder) {
    const ProgramFolderChoice choice =
        ChooseProgramFolder(ExamineProgramFolders(executableFolder, userDataFolder));
    ProgramFolders folders{choice.folder, choice.folder, {}};
    if (choice.seedFrom.isEmpty()) {
        return folders; // the executable's own folder: the report tells what goes wrong there
    }
    std::optional<QString> failure = MakeFolder(choice.folder);
    if (!failure) {
        failure = FolderWriteFailure(choice.folder);
    }
    if (!failure) {
        SeedProgramFolder(choice.seedFrom, choice.folder, ProgramVersion());
    } else {
        folders.failure = *failure;
        // Without HOME the system puts the user's data folder under the root folder.
        if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
            folders.failure +=
                QStringLiteral("; la variabile d'ambiente HOME non \u00e8 impostata");
        }
    }
    folders.filesFolder = FilesFolder(choice, !failure);
    return folders;
}
