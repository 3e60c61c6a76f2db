#include "window/click_label.h"

#include <QMouseEvent>

// Names come from files and the user: always shown as typed, never as markup.
ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->globalPosition().toPoint());
    event->accept();
}
