#pragma once

#include <QLineEdit>

// The vehicle-number field: when editing ends (focus leaves the field or
// Return is pressed) it keeps only what the camera can show, the ASCII
// letters and digits of the text, at most 8, before anyone hears that
// editing has finished.
class VRDCarNumberTextField : public QLineEdit
{
    Q_OBJECT

public:
    explicit VRDCarNumberTextField(QWidget *parent = nullptr);

    // Replaces the text by its cleaned form; a no-op when it is clean.
    void textDidEndEditing();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
