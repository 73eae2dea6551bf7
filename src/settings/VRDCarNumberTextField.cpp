#include "settings/VRDCarNumberTextField.h"

#include "config/VRDCarNumber.h"

#include <QKeyEvent>

VRDCarNumberTextField::VRDCarNumberTextField(QWidget *parent)
    : QLineEdit(parent)
{
}

void VRDCarNumberTextField::textDidEndEditing()
{
    const QString current = text();
    const QString cleaned = QString::fromStdString(VRDCarNumber::clean(current.toStdU16String()));
    if (cleaned == current)
        return;
    // setText would forget that the user changed the text; the tab relies on
    // that flag to tell typed numbers from the one read off the card.
    const bool modified = isModified();
    setText(cleaned);
    setModified(modified);
}

void VRDCarNumberTextField::focusOutEvent(QFocusEvent *event)
{
    textDidEndEditing();
    QLineEdit::focusOutEvent(event);
}

void VRDCarNumberTextField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        textDidEndEditing();
    QLineEdit::keyPressEvent(event);
}
