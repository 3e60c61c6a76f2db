#include "cli/picture_commands.h"

#include "cli/cli_output.h"
#include "cli/file_commands.h"
#include "model/preview_levels.h"
#include "picture/grid_picture.h"
#include "picture/picture_file.h"

#include <QRegularExpression>
#include <cmath>

int RunPreview(const QString& path, double atSeconds) {
    const std::optional<Configuration> config = LoadConfigurationFile(path);
    if (!config) {
        return kExitUsage;
    }
    const PreviewPlan plan = PlanPreview(config->recEffSet, config->faseCodes);
    if (plan.cycleLength <= 0) {
        PrintErr(QStringLiteral("Nessuna fase temporale attivata: ") + path);
        return kExitUsage;
    }
    const auto levels = LevelsAt(plan, atSeconds);
    QString text;
    for (int o = 0; o < kOutputs; ++o) {
        // Ties to even, as the program rounds everywhere else.
        const auto level = static_cast<long>(std::nearbyint(levels[static_cast<std::size_t>(o)]));
        text += QString::number(o + 1) + QLatin1Char('\t') + QString::number(level);
        if (o + 1 < kOutputs) {
            text += QLatin1Char('\n');
        }
    }
    PrintOut(text);
    return kExitDone;
}

int RunRender(const QString& path, const QString& output, bool timeline) {
    const std::optional<PictureFormat> format = PictureFormatOf(output);
    if (!format) {
        PrintErr(QStringLiteral("Formato non riconosciuto: ") + output +
                 QStringLiteral("\nUsare l'estensione .png, .svg o .pdf"));
        return kExitUsage;
    }
    const std::optional<Configuration> config = LoadConfigurationFile(path);
    if (!config) {
        return kExitUsage;
    }
    QString reason;
    const bool saved =
        timeline ? SaveTimelinePicture(output, *format, *config,
                                       PlanPreview(config->recEffSet, config->faseCodes), &reason)
                 : SaveGridPicture(output, *format, PictureOf(*config), &reason);
    if (!saved) {
        PrintErr(QStringLiteral("Impossibile scrivere il file ") + output + QStringLiteral(": ") +
                 reason);
        return kExitUsage;
    }
    return kExitDone;
}
