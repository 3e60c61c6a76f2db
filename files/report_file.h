#pragma once
// Writes "light_value.txt" beside the program.

#include <QString>
#include <string>

// Full path of the report in the program folder, with one separator before the name.
QString LightReportPath(const QString& programFolder);

// Replaces the file's contents; false when it cannot be opened for writing.
// Errors after a successful open are ignored: whatever was written stays.
bool WriteLightReportFile(const QString& path, const std::string& bytes);
