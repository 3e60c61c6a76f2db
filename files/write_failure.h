#pragma once
// Why a file cannot be written at a path, in words a user can act on: a folder in its place,
// a missing folder, a file or folder of another user, a read-only disk; else the system's
// own reason.

#include <QString>
#include <optional>

// What can be told before anything is written; empty when nothing stands in the way that a
// look at the path shows.
std::optional<QString> ForeseenWriteFailure(const QString& path);

// Why no file can be made in a folder: missing, not a folder, not writable by this user.
std::optional<QString> FolderWriteFailure(const QString& folder);

// The reason for a write that failed: the foreseen one, else the system's text (as a file
// device reports it) in Italian, else a plain sentence. Never empty.
QString WriteFailureReason(const QString& path, const QString& systemText = {});

// The details of a failed write: "File: <path>" and "Motivo: <reason>.", joined by CR LF.
QString WriteFailureDetail(const QString& path, const QString& reason);
