#include "window/click_label.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->globalPosition().toPoint());
    event->accept();
}
