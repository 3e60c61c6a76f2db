#pragma once
// The other names under which the program finds the board's device while the board runs:
// a fixed symbolic link, and a COM entry of the program's settings.

#include <QString>
#include <QVariant>

#include <string>

namespace vboard {

// Creates the link (replacing an old symlink, never a real file) and removes it on exit
// if it still points at our slave.
class SlaveLink {
public:
    SlaveLink() = default;
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

    bool create(const std::string& linkPath, const std::string& target, std::string& error);

private:
    std::string m_path;
    std::string m_target;
};

// Sets ports/COMn in the program's settings store and puts back what was there on exit.
class ComPortMapping {
public:
    ComPortMapping() = default;
    ~ComPortMapping();
    ComPortMapping(const ComPortMapping&) = delete;
    ComPortMapping& operator=(const ComPortMapping&) = delete;

    bool apply(const QString& comName, const QString& devicePath, QString& error);
    QString settingsFile() const { return m_file; }

private:
    QString m_key; // empty: nothing to undo
    QVariant m_previous;
    QString m_file;
};

} // namespace vboard
