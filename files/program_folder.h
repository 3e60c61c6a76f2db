#pragma once
// Where the program keeps its samples, help file and report: beside the executable when that
// folder is a copy of the program the user can write to, otherwise the user's own data folder.

#include <QString>

// What start-up finds on disk; the choice below depends on nothing else.
struct ProgramFolderFacts {
    QString executableFolder;
    bool executableFolderHoldsFiles = false; // a sample or the help file lies there
    bool executableFolderWritable = false;
    QString shippedFolder;  // the installed share/miravel6 beside bin/
    QString userDataFolder; // empty when the platform names none
};

// A file in the program folder: the folder with native separators, one separator, the name.
QString ProgramFilePath(const QString& programFolder, const QString& fileName);

struct ProgramFolderChoice {
    QString folder;   // the program folder
    QString seedFrom; // where missing files are copied from; empty: nothing is copied
};

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderFacts& facts);

// Where the samples and the help file are opened: the program folder, or, when it could not
// be made or written, the folder it is filled from (they are only read).
QString FilesFolder(const ProgramFolderChoice& choice, bool folderUsable);

// The user's data folder for the program (~/.local/share/Miravel6 on Linux), or empty.
QString UserDataFolder();

// Looks at the executable's folder and its shipped folder.
ProgramFolderFacts ExamineProgramFolders(const QString& executableFolder,
                                         const QString& userDataFolder);

struct ProgramFolders {
    QString folder;      // the program folder: the report, the file dialogs' first folder
    QString filesFolder; // the samples and the help file
    QString failure;     // why the program folder could not be made or written; empty if it could
};

// Chooses the program folder and, for an installed copy, makes it and fills it from the
// shipped files. Runs once at start-up; the window tells the failure.
ProgramFolders SetUpProgramFolder(const QString& executableFolder, const QString& userDataFolder);
