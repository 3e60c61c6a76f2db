#pragma once
// Makes a folder with any missing folder above it, and says which one could not be made and
// why when that fails.

#include <QString>
#include <optional>

// Empty when the folder is there (made now or before). Otherwise the reason in Italian,
// naming the folder that stands in the way: "impossibile creare la cartella /home/u/.local:
// permesso negato (Permission denied); la cartella /home/u non è scrivibile da questo utente
// (appartiene a root:root, permessi 0555)".
std::optional<QString> MakeFolder(const QString& path);
