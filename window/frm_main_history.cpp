// Undo and redo: whole configurations recorded after every change, restored by keys.

#include "window/frm_main.h"

#include <QAction>
#include <QTimer>

void frmMain::CreateHistoryKeys() {
    mnuUndo = new QAction(this);
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuUndo->setShortcuts(QKeySequence::Undo);
    connect(mnuUndo, &QAction::triggered, this, &frmMain::mnuUndo_Click);
    addAction(mnuUndo);

    // The platform's redo keys, and Ctrl+Y wherever it is not one of them already (a key bound
    // twice would be ambiguous and do nothing).
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
    if (!redoKeys.contains(ctrlY)) {
        redoKeys << ctrlY;
    }
    mnuRedo = new QAction(this);
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo->setShortcuts(redoKeys);
    connect(mnuRedo, &QAction::triggered, this, &frmMain::mnuRedo_Click);
    addAction(mnuRedo);
}

void frmMain::RecordStep() {
    history.Record(config);
}

void frmMain::mnuUndo_Click() {
    // Like every edit: nothing while the port is open or the time cursor runs.
    if (Busy()) {
        return;
    }
    if (const std::optional<Configuration> config = history.Undo()) {
        RestoreStep(*config);
    }
}

void frmMain::mnuRedo_Click() {
    if (Busy()) {
        return;
    }
    if (const std::optional<Configuration> config = history.Redo()) {
        RestoreStep(*config);
    }
}

void frmMain::RestoreStep(const Configuration& step) {
    // The history already holds this configuration as its present: applying it adds no step.
    ApplyConfiguration(step, kAppTitle);
}
