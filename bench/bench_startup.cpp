// Start-up to the idle, painted window, as a ratio to the barest Qt window started the same
// way in the same run. Both are child processes on the offscreen platform that leave right
// after their first paint; the program's probe runs from a scratch copy of its folder.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double toPaintMs = 0;
    double toExitMs = 0;
};

long long SteadyNs() {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::steady_clock::now().time_since_epoch())
                                      .count());
}

// The parent's environment with the given variables replaced.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](const auto& o) {
            return o.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced) {
            env.push_back(entry);
        }
    }
    env.insert(env.end(), overrides.begin(), overrides.end());
    return env;
}

// Starts the program, reads the moment of its first paint from its output, waits for it.
std::optional<Run> Start(const std::string& program, const std::vector<std::string>& env,
                         const std::string& errorLog) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorLog.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};
    std::vector<char*> envp;
    envp.reserve(env.size() + 1);
    for (const std::string& e : env) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);

    const long long start = SteadyNs();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n = 0; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid) {
        return std::nullopt;
    }
    const long long end = SteadyNs();
    long long painted = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(output.c_str(), "first-paint %lld", &painted) != 1) {
        return std::nullopt;
    }
    return Run{static_cast<double>(painted - start) / 1e6, static_cast<double>(end - start) / 1e6};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool CopyInto(const QString& from, const QDir& to) {
    const QString target = to.filePath(QFileInfo(from).fileName());
    QFile::remove(target);
    return QFile::copy(from, target);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int runs = quick ? 5 : 20;

    // A scratch program folder: the probe, the samples and the help file, as installed.
    QTemporaryDir folder;
    QTemporaryDir home; // settings store and runtime folder of the children
    const QDir programFolder(folder.path());
    QStringList files = {QStringLiteral(MIRAVEL6_PROBE), QStringLiteral(MIRAVEL6_BARE_WINDOW),
                         QStringLiteral(MIRAVEL6_SOURCE_DIR "/help/miravel6.hlp")};
    for (const QString& sample : QDir(QStringLiteral(MIRAVEL6_SOURCE_DIR "/samples"))
                                     .entryList({QStringLiteral("*.dm6")})) {
        files << QStringLiteral(MIRAVEL6_SOURCE_DIR "/samples/") + sample;
    }
    for (const QString& file : files) {
        if (!CopyInto(file, programFolder)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(file));
            return 1;
        }
    }
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const std::vector<std::string> env = ChildEnvironment(
        {"QT_QPA_PLATFORM=offscreen",
         "XDG_CONFIG_HOME=" + home.filePath(QStringLiteral("config")).toStdString(),
         "XDG_RUNTIME_DIR=" + home.filePath(QStringLiteral("runtime")).toStdString()});

    const std::string probe =
        programFolder.filePath(QFileInfo(QStringLiteral(MIRAVEL6_PROBE)).fileName()).toStdString();
    const std::string bare =
        programFolder.filePath(QFileInfo(QStringLiteral(MIRAVEL6_BARE_WINDOW)).fileName())
            .toStdString();
    const std::string errorLog = home.filePath(QStringLiteral("stderr.txt")).toStdString();
    auto startOrSay = [&](const std::string& program) {
        std::optional<Run> run = Start(program, env, errorLog);
        if (!run) {
            std::fprintf(stderr, "%s did not paint and exit cleanly; its errors:\n",
                         program.c_str());
            QFile log(QString::fromStdString(errorLog));
            if (log.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s\n", log.readAll().constData());
            }
        }
        return run;
    };

    // One start of each to warm the disk cache; then both in turns, the first one alternating.
    if (!startOrSay(bare) || !startOrSay(probe)) {
        return 1;
    }
    if (!QFile::exists(programFolder.filePath(QStringLiteral("light_value.txt")))) {
        std::fprintf(stderr, "the probe wrote no report in its folder\n");
        return 1;
    }
    std::vector<double> barePaint, bareExit, probePaint, probeExit;
    for (int n = 0; n < runs; ++n) {
        for (int k = 0; k < 2; ++k) {
            const bool probeTurn = (n + k) % 2 == 1;
            const std::optional<Run> run = startOrSay(probeTurn ? probe : bare);
            if (!run) {
                return 1;
            }
            (probeTurn ? probePaint : barePaint).push_back(run->toPaintMs);
            (probeTurn ? probeExit : bareExit).push_back(run->toExitMs);
        }
    }

    const double ratio = Median(probePaint) / Median(barePaint);
    std::printf("Start-up to the first paint of the idle window, offscreen, medians of %d runs "
                "each, interleaved\n",
                runs);
    std::printf("  bare Qt window (one label)   to paint %7.1f ms   to exit %7.1f ms\n",
                Median(barePaint), Median(bareExit));
    std::printf("  Miravel6 window              to paint %7.1f ms   to exit %7.1f ms\n",
                Median(probePaint), Median(probeExit));
    const double ownShareMs = Median(probePaint) - Median(barePaint);
    std::printf("%s: start-up ratio to the bare window %.3f (target <= 1.25); "
                "the program's own share %.1f ms (target <= 5 ms)\n",
                ratio <= 1.25 && ownShareMs <= 5.0 ? "within target" : "OUTSIDE TARGET", ratio,
                ownShareMs);
    return 0;
}
