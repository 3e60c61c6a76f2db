#include "cli/port_choice.h"

#include "board/port_naming.h"
#include "model/app_identity.h"

#include <QRegularExpression>

ChosenPort ChoosePort(const QString& argument) {
    static const QRegularExpression comName(QStringLiteral("^COM[0-9]+$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!comName.match(argument).hasMatch()) {
        return {argument, argument, {}};
    }
    const QString upper = argument.toUpper();
    const int number = ComPortNumber(upper);
    if (number < 1 || number > kComPortCount) {
        return {{},
                argument,
                QStringLiteral("Porta sconosciuta: ") + argument +
                    QStringLiteral(" (da COM1 a COM") + QString::number(kComPortCount) +
                    QStringLiteral(", oppure un dispositivo)")};
    }
    const QString device = DeviceNameForPort(number);
    return {device, upper + QStringLiteral(" (") + device + QLatin1Char(')'), {}};
}
