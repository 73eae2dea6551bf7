#include "widgets/TKSegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace {

// Joined segments: only the outer corners are rounded.
QString segmentStyle(int segment, int count)
{
    const bool first = segment == 0;
    const bool last = segment == count - 1;
    return QStringLiteral(
               "QToolButton { border: 1px solid palette(mid); padding: 3px 10px;"
               " background: palette(button); border-top-left-radius: %1px;"
               " border-bottom-left-radius: %1px; border-top-right-radius: %2px;"
               " border-bottom-right-radius: %2px; %3 }"
               "QToolButton:checked { background: palette(highlight);"
               " color: palette(highlighted-text); }"
               "QToolButton:disabled { color: palette(mid); }")
        .arg(first ? 4 : 0)
        .arg(last ? 4 : 0)
        .arg(first ? QString() : QStringLiteral("border-left: none;"));
}

} // namespace

TKSegmentedControl::TKSegmentedControl(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_group(new QButtonGroup(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_group->setExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_group, &QButtonGroup::idClicked, this, &TKSegmentedControl::selectByUser);
}

int TKSegmentedControl::segmentCount() const
{
    return static_cast<int>(m_group->buttons().size());
}

void TKSegmentedControl::setSegmentCount(int count)
{
    count = std::max(0, count);
    while (segmentCount() > count) {
        QAbstractButton *button = m_group->button(segmentCount() - 1);
        m_group->removeButton(button);
        delete button;
    }
    while (segmentCount() < count) {
        auto *button = new QToolButton(this);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_group->addButton(button, segmentCount());
        m_layout->addWidget(button);
    }
    for (int segment = 0; segment < count; ++segment)
        m_group->button(segment)->setStyleSheet(segmentStyle(segment, count));
}

QString TKSegmentedControl::labelForSegment(int segment) const
{
    const QAbstractButton *button = m_group->button(segment);
    return button ? button->text() : QString();
}

void TKSegmentedControl::setLabel(const QString &label, int segment)
{
    if (QAbstractButton *button = m_group->button(segment)) {
        button->setText(label);
        button->setAccessibleName(label);
    }
}

int TKSegmentedControl::selectedSegment() const
{
    return m_group->checkedId();
}

void TKSegmentedControl::setSelectedSegment(int segment)
{
    if (QAbstractButton *button = m_group->button(segment)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that while clearing.
    if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

QAbstractButton *TKSegmentedControl::buttonForSegment(int segment) const
{
    return m_group->button(segment);
}

bool TKSegmentedControl::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (segmentCount() > 0 && (key == Qt::Key_Left || key == Qt::Key_Right)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void TKSegmentedControl::keyPressEvent(QKeyEvent *event)
{
    const int count = segmentCount();
    if (count == 0 || (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = event->key() == Qt::Key_Left ? -1 : 1;
    const int current = selectedSegment() < 0 ? (step > 0 ? -1 : count) : selectedSegment();
    const int next = std::clamp(current + step, 0, count - 1);
    if (next != selectedSegment()) {
        setSelectedSegment(next);
        selectByUser(next);
    }
}

void TKSegmentedControl::selectByUser(int segment)
{
    emit selectionChanged(segment);
}
