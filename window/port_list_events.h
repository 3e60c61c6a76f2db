#pragma once
// Watches the port list for what the user does to it: a context menu asked for with the
// right button, the Menu key or Shift+F10, and a press that may open its drop-down list.

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

class PortListEvents final : public QObject {
public:
    PortListEvents(QWidget* list, std::function<void(QPoint globalPos)> onContextMenu,
                   std::function<void()> beforeOpening);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* list;
    std::function<void(QPoint)> onContextMenu;
    std::function<void()> beforeOpening;
};
