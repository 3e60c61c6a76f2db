#include "cli/file_commands.h"

#include "cli/cli_output.h"
#include "files/dm6_file.h"
#include "files/file_messages.h"
#include "files/report_file.h"
#include "model/charset.h"
#include "model/edata.h"
#include "model/light_course.h"
#include "model/light_report.h"

#include <QFileInfo>

QString RefusalText(const QString& path, int line, const QString& reason) {
    QString text = FileOpenFailedText(path, QStringLiteral("\n")) + QLatin1Char('\n');
    if (line > 0) {
        text += QStringLiteral("riga ") + QString::number(line) + QStringLiteral(": ");
    }
    return text + reason;
}

std::optional<Configuration> LoadConfigurationFile(const QString& path) {
    Dm6Verdict verdict = CheckDm6File(path);
    if (!verdict.config) {
        PrintErr(RefusalText(path, verdict.line, QString::fromStdString(verdict.reason)));
    }
    return std::move(verdict.config);
}

int RunImage(const QString& path) {
    const std::optional<Configuration> config = LoadConfigurationFile(path);
    if (!config) {
        return kExitUsage;
    }
    PrintOut(QString::fromStdString(EdataHex(EncodeEdata(config->faseCodes, config->recEffSet))));
    return kExitDone;
}

int RunReport(const QString& path) {
    const std::optional<Configuration> config = LoadConfigurationFile(path);
    if (!config) {
        return kExitUsage;
    }
    // The report names the file it would be: light_value.txt beside the configuration.
    const QString reportPath = LightReportPath(QFileInfo(path).absolutePath());
    const LightCourse course = ComputeLightCourse(config->recEffSet, config->faseCodes);
    WriteOut(LightValueReport(Utf8ToCp1252Lossy(reportPath.toStdString()), course));
    return kExitDone;
}

int RunCheck(const QString& path) {
    const Dm6Verdict verdict = CheckDm6File(path);
    if (!verdict.config) {
        PrintOut(RefusalText(path, verdict.line, QString::fromStdString(verdict.reason)));
        return kExitUsage;
    }
    PrintOut(QStringLiteral("Configurazione valida: ") + path);
    return kExitDone;
}
