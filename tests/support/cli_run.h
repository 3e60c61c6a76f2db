#pragma once
// miravel6-cli run as a process, as a user runs it: its exit status and both streams; and the
// shipped samples it is run on.

#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1; // -1: it did not end by itself within 30 s
    QString out;
    QString err;
};

// Runs `program` (the CLI, or a shell that starts it) in `environment`.
inline CliRun RunProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment) {
    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.start(program, arguments);
    if (!cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

inline QString Sample(const char* name) {
    return QStringLiteral(MIRAVEL6_SAMPLES_DIR "/") + QString::fromUtf8(name);
}
