#include "window/port_list_events.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

PortListEvents::PortListEvents(QWidget* list, std::function<void(QPoint)> onContextMenu,
                               std::function<void()> beforeOpening)
    : QObject(list), list(list), onContextMenu(std::move(onContextMenu)),
      beforeOpening(std::move(beforeOpening)) {
    list->installEventFilter(this);
}

bool PortListEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ContextMenu: {
        // The right button, or the Menu key where the platform turns it into this event.
        const auto* request = static_cast<QContextMenuEvent*>(event);
        onContextMenu(request->reason() == QContextMenuEvent::Mouse
                          ? request->globalPos()
                          : list->mapToGlobal(QPoint(0, list->height())));
        return true;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (menuKey || shiftF10) {
            onContextMenu(list->mapToGlobal(QPoint(0, list->height())));
            return true;
        }
        beforeOpening();
        return false;
    }
    case QEvent::MouseButtonPress:
        beforeOpening();
        return false;
    default:
        return false;
    }
}
