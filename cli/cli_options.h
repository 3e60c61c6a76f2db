#pragma once
// The command line of miravel6-cli: one command, its file and its options, already checked.

#include <QString>
#include <QStringList>

enum class CliCommand { Test, Read, Write, Verify, Image, Report, Check, Out, Preview, Render };

struct CliRequest {
    CliCommand command = CliCommand::Test;
    QString port;      // --port: a device path or COM<n>
    QString file;      // the configuration file the command reads
    QString output;    // read, render: -o
    QString namesFrom; // read: --names-from
    bool verify = false;
    int output1 = 0;       // out: 1..10
    bool on = false;       // out: on or off
    double atSeconds = 0;  // preview: --at, seconds into the cycle
    bool timeline = false; // render: the levels over the cycle instead of the grid
};

struct ParsedCli {
    enum class Outcome { Run, Help, Version, UsageError };
    Outcome outcome = Outcome::Run;
    CliRequest request;
    QString error; // for UsageError, in Italian
};

// arguments without the program name.
ParsedCli ParseCliArguments(const QStringList& arguments);

// The text of --help.
QString CliHelpText();
