#pragma once
// The commands that need only a configuration file: image, report, check; and the loading
// of a file that tells the user why it is refused.

#include "model/configuration.h"

#include <QString>

#include <optional>

// The configuration in the file; when the reader refuses it the reason and line go to
// standard error and the result is empty (exit status 2).
std::optional<Configuration> LoadConfigurationFile(const QString& path);

// The reader's refusal as the user reads it: the window's text, then line and reason.
QString RefusalText(const QString& path, int line, const QString& reason);

int RunImage(const QString& path);
int RunReport(const QString& path);
int RunCheck(const QString& path);
