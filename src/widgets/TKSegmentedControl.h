#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

class QButtonGroup;
class QHBoxLayout;
class QAbstractButton;

// A row of joined, mutually exclusive segments (Qt has no such control).
// The selection moves with a click or, when the control has focus, with the
// arrow keys; selectionChanged is sent only for the user's own changes.
class TKSegmentedControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int selectedSegment READ selectedSegment WRITE setSelectedSegment)

public:
    // Colours of a control that sits on a window with a look of its own; without them
    // the control takes the palette's.
    struct Colors {
        QColor background;
        QColor border;
        QColor text;
        QColor selectedBackground;
        QColor selectedText;
    };

    explicit TKSegmentedControl(QWidget *parent = nullptr);

    void setColors(const Colors &colors);

    int segmentCount() const;
    void setSegmentCount(int count);
    QString labelForSegment(int segment) const;
    void setLabel(const QString &label, int segment);

    // -1 when nothing is selected.
    int selectedSegment() const;
    // An index outside the segments clears the selection.
    void setSelectedSegment(int segment);

    // The segment's button, for tests and accessibility.
    QAbstractButton *buttonForSegment(int segment) const;

signals:
    void selectionChanged(int segment);

protected:
    // With focus the control keeps the arrow keys even when the window
    // binds them to shortcuts.
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void selectByUser(int segment);
    void styleSegments();

    QHBoxLayout *m_layout;
    QButtonGroup *m_group;
    std::optional<Colors> m_colors;
};
