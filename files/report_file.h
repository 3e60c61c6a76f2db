#pragma once
// Writes "light_value.txt" beside the program.

#include <QString>
#include <string>

// Full path of the report in the program folder, with one separator before the name.
QString LightReportPath(const QString& programFolder);

// Replaces the file's contents; false when it cannot be opened for writing. Only a regular
// file of the report's own is written: a link, a second name of another file or anything
// else at the path is replaced by a new file, never written through.
// Errors after a successful open are ignored: whatever was written stays. On failure
// `reason`, when given, tells why in Italian.
bool WriteLightReportFile(const QString& path, const std::string& bytes, QString* reason = nullptr);
