#include "tools/virtual_board/com_port_mapping.h"

#include <QSettings>

namespace vboard {

ComPortMapping::~ComPortMapping() {
    if (m_key.isEmpty()) {
        return;
    }
    QSettings settings(QStringLiteral("Miravel6"), QStringLiteral("Miravel6"));
    if (m_previous.isValid()) {
        settings.setValue(m_key, m_previous);
    } else {
        settings.remove(m_key);
    }
    settings.sync();
}

bool ComPortMapping::apply(const QString& comName, const QString& devicePath, QString& error) {
    QSettings settings(QStringLiteral("Miravel6"), QStringLiteral("Miravel6"));
    const QString key = QStringLiteral("ports/") + comName;
    m_previous = settings.value(key);
    settings.setValue(key, devicePath);
    settings.sync();
    m_file = settings.fileName();
    if (settings.status() != QSettings::NoError) {
        error = QStringLiteral("impossibile scrivere ") + m_file;
        return false;
    }
    m_key = key;
    return true;
}

} // namespace vboard
