#include "converter/skin/tree_combo_box_static.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include "converter/skin/tree_combo_box.h"

CComboStatic::CComboStatic(CTreeComboBox* owner) : QLabel(owner), owner_(owner) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
}

void CComboStatic::UpdateTooltip() {
    setToolTip(text());
    owner_->SetCaption(text());
}

void CComboStatic::ForwardToOwner(QEvent::Type type, QMouseEvent* event) {
    event->accept();
    const QPointF origin(0, 0);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
    QMouseEvent forwarded(type, origin, owner_->mapToGlobal(origin), Qt::LeftButton, held,
                          event->modifiers());
    QCoreApplication::sendEvent(owner_, &forwarded);
}

void CComboStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    ForwardToOwner(QEvent::MouseButtonPress, event);
}

void CComboStatic::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mouseReleaseEvent(event);
    ForwardToOwner(QEvent::MouseButtonRelease, event);
}
