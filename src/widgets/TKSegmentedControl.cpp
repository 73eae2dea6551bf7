#include "widgets/TKSegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace {

QString styleColor(const QColor &color)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(color.alpha());
}

// Joined segments: only the outer corners are rounded.
QString segmentStyle(int segment, int count, const std::optional<TKSegmentedControl::Colors> &colors)
{
    const bool first = segment == 0;
    const bool last = segment == count - 1;
    const QString background = colors ? styleColor(colors->background) : QStringLiteral("palette(button)");
    const QString border = colors ? styleColor(colors->border) : QStringLiteral("palette(mid)");
    const QString text = colors ? styleColor(colors->text) : QStringLiteral("palette(button-text)");
    const QString selectedBackground = colors ? styleColor(colors->selectedBackground) : QStringLiteral("palette(highlight)");
    const QString selectedText = colors ? styleColor(colors->selectedText) : QStringLiteral("palette(highlighted-text)");
    return QStringLiteral(
               "QToolButton { border: 1px solid %4; padding: 3px 10px;"
               " background: %5; color: %6; border-top-left-radius: %1px;"
               " border-bottom-left-radius: %1px; border-top-right-radius: %2px;"
               " border-bottom-right-radius: %2px; %3 }"
               "QToolButton:checked { background: %7; color: %8; }"
               "QToolButton:disabled { color: palette(mid); }")
        .arg(first ? 4 : 0)
        .arg(last ? 4 : 0)
        .arg(first ? QString() : QStringLiteral("border-left: none;"))
        .arg(border, background, text, selectedBackground, selectedText);
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
    styleSegments();
}

void TKSegmentedControl::setColors(const Colors &colors)
{
    m_colors = colors;
    styleSegments();
}

void TKSegmentedControl::styleSegments()
{
    const int count = segmentCount();
    for (int segment = 0; segment < count; ++segment)
        m_group->button(segment)->setStyleSheet(segmentStyle(segment, count, m_colors));
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
