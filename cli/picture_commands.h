#pragma once
// The commands that show the cycle without a board: the levels at a moment (preview) and
// the grid or the levels over the cycle as a picture (render).

#include <QString>

#include <optional>

// "--at" as seconds: a number of seconds (decimals with a point) or hh:mm:ss.
std::optional<double> ParseMomentSeconds(const QString& text);

int RunPreview(const QString& path, double atSeconds);
int RunRender(const QString& path, const QString& output, bool timeline);
