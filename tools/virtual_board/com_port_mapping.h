#pragma once
// Points a COM entry of the program's settings at the board while the board runs.

#include <QString>
#include <QVariant>

namespace vboard {

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
