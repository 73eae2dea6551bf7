#include "widgets/VMMultiHandleSlider.h"

#include "widgets/VMSliderKnob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kKnobWidth = VMSliderKnob::kWidth;
constexpr double kHalfKnob = kKnobWidth / 2.0;
constexpr double kKnobHeight = VMSliderKnob::kHeight;
constexpr double kBarHeight = 4.0;
constexpr int kPageSteps = 10;

} // namespace

VMMultiHandleSlider::VMMultiHandleSlider(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Until a layout sizes it, the slider has its preferred width, so that
    // handles placed before it is shown are kept apart at a sensible scale.
    resize(sizeHint());
}

VMMultiHandleSlider::~VMMultiHandleSlider() = default;

QSize VMMultiHandleSlider::sizeHint() const
{
    return {300, 21};
}

QSize VMMultiHandleSlider::minimumSizeHint() const
{
    return {VMSliderKnob::kWidth * std::max<int>(1, static_cast<int>(m_handles.size())), VMSliderKnob::kHeight};
}

void VMMultiHandleSlider::addHandle(const QString &name, const TKImage &image, float initRatio,
                                    VMSliderHandle::Mapping valueBlock, VMSliderHandle::Mapping invValueBlock)
{
    if (VMSliderHandle *old = findHandle(name)) {
        if (m_activeHandle == old)
            m_activeHandle = nullptr;
        delete old->handleView;
        m_handles.erase(std::find_if(m_handles.begin(), m_handles.end(),
                                     [old](const std::unique_ptr<VMSliderHandle> &h) { return h.get() == old; }));
    }
    auto handle = std::make_unique<VMSliderHandle>(name, image, std::clamp(initRatio, 0.0f, 1.0f),
                                                   std::move(valueBlock), std::move(invValueBlock));
    auto *knob = new VMSliderKnob(name, image, this);
    knob->installEventFilter(this);
    handle->handleView = knob;
    m_values.insert(name, handle->curValue());
    placeKnob(*handle);
    knob->show();
    m_handles.push_back(std::move(handle));
    updateGeometry();
    update();
}

void VMMultiHandleSlider::setValueChangedBlock(ValueChangedBlock block)
{
    m_valueChangedBlock = std::move(block);
}

const VMSliderHandle *VMMultiHandleSlider::handle(const QString &name) const
{
    return findHandle(name);
}

VMMultiHandleSlider::Values VMMultiHandleSlider::values() const
{
    return m_values;
}

void VMMultiHandleSlider::setValue(const QString &name, float value)
{
    VMSliderHandle *handle = findHandle(name);
    if (handle == nullptr || std::isnan(value))
        return;
    double ratio = handle->ratioForValue(value);
    if (std::isnan(ratio))
        return;
    // The whole knob stays within its neighbours, as in a drag, so that an
    // owner can neither stack knobs nor push one past another.
    const double width = trackWidth();
    if (width > 0.0) {
        const Boundary boundary = boundaryForView(*handle);
        ratio = std::min(ratio, (boundary.second - kKnobWidth) / width);
        ratio = std::max(ratio, boundary.first / width);
    }
    const float clamped = std::clamp(static_cast<float>(ratio), 0.0f, 1.0f);
    if (std::fabs(clamped - handle->curRatio) <= kEpsilon)
        return;
    handle->curRatio = clamped;
    placeKnob(*handle);
    storeValuesAndNotify();
}

VMMultiHandleSlider::Boundary VMMultiHandleSlider::boundaryForHandle(const QString &name) const
{
    const VMSliderHandle *handle = findHandle(name);
    return handle ? boundaryForView(*handle) : Boundary{0.0, static_cast<double>(width())};
}

VMSliderHandle *VMMultiHandleSlider::findHandle(const QString &name) const
{
    const auto found = std::find_if(m_handles.begin(), m_handles.end(),
                                    [&name](const std::unique_ptr<VMSliderHandle> &h) { return h->name() == name; });
    return found == m_handles.end() ? nullptr : found->get();
}

VMSliderHandle *VMMultiHandleSlider::handleOfKnob(const QObject *knob) const
{
    const auto found = std::find_if(m_handles.begin(), m_handles.end(),
                                    [knob](const std::unique_ptr<VMSliderHandle> &h) { return h->handleView == knob; });
    return found == m_handles.end() ? nullptr : found->get();
}

double VMMultiHandleSlider::trackWidth() const
{
    return width() - kKnobWidth;
}

QRectF VMMultiHandleSlider::knobFrame(const VMSliderHandle &handle) const
{
    return {handle.curRatio * std::max(0.0, trackWidth()), height() / 2.0 - 8.5, kKnobWidth, kKnobHeight};
}

void VMMultiHandleSlider::placeKnob(VMSliderHandle &handle)
{
    const QRectF frame = knobFrame(handle);
    handle.handleView->move(qRound(frame.x()), qRound(frame.y()));
    handle.handleView->setAccessibleDescription(QString::number(static_cast<double>(handle.curValue()), 'f', 2));
}

bool VMMultiHandleSlider::isLeftOf(const VMSliderHandle &a, const VMSliderHandle &b) const
{
    if (a.curRatio != b.curRatio)
        return a.curRatio < b.curRatio;
    const auto position = [this](const VMSliderHandle &h) {
        return std::find_if(m_handles.begin(), m_handles.end(),
                            [&h](const std::unique_ptr<VMSliderHandle> &o) { return o.get() == &h; });
    };
    return position(a) < position(b);
}

VMMultiHandleSlider::Boundary VMMultiHandleSlider::boundaryForView(const VMSliderHandle &handle) const
{
    // Neighbours are found by order, not by touching edges: knobs that
    // overlap (placed so by their initial ratios) still may not pass.
    Boundary boundary{0.0, static_cast<double>(width())};
    for (const std::unique_ptr<VMSliderHandle> &other : m_handles) {
        if (other.get() == &handle)
            continue;
        const QRectF frame = knobFrame(*other);
        if (isLeftOf(*other, handle))
            boundary.first = std::max(boundary.first, frame.right());
        else
            boundary.second = std::min(boundary.second, frame.left());
    }
    return boundary;
}

VMSliderKnob *VMMultiHandleSlider::activeHandleView() const
{
    return m_activeHandle != nullptr ? m_activeHandle->handleView : nullptr;
}

void VMMultiHandleSlider::moveKnob(VMSliderHandle &handle, double leftEdge, const Boundary &boundary)
{
    double centre = leftEdge + kHalfKnob;
    if (centre - kHalfKnob < boundary.first)
        centre = boundary.first + kHalfKnob;
    if (centre + kHalfKnob > boundary.second)
        centre = boundary.second - kHalfKnob;
    const double width = trackWidth();
    const double ratio = width > 0.0 ? (centre - kHalfKnob) / width : 0.0;
    handle.curRatio = std::clamp(static_cast<float>(ratio), 0.0f, 1.0f);
    placeKnob(handle);
}

void VMMultiHandleSlider::reportIfMoved(const VMSliderHandle &handle)
{
    if (std::fabs(handle.curRatio - m_lastValue) <= kEpsilon)
        return;
    m_lastValue = handle.curRatio;
    storeValuesAndNotify();
}

void VMMultiHandleSlider::storeValuesAndNotify()
{
    for (const std::unique_ptr<VMSliderHandle> &h : m_handles) {
        const float value = h->curValue();
        if (std::fabs(value - m_values.value(h->name())) > kEpsilon)
            m_values.insert(h->name(), value);
    }
    if (m_valueChangedBlock)
        m_valueChangedBlock(Values(m_values));
}

void VMMultiHandleSlider::paintEvent(QPaintEvent *)
{
    const double barWidth = std::max(0.0, trackWidth());
    QPainter painter(this);
    painter.fillRect(QRectF((width() - barWidth) / 2.0, (height() - kBarHeight) / 2.0, barWidth, kBarHeight), Qt::black);
}

void VMMultiHandleSlider::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (const std::unique_ptr<VMSliderHandle> &h : m_handles)
        placeKnob(*h);
}

void VMMultiHandleSlider::mousePressEvent(QMouseEvent *event)
{
    m_activeHandle = nullptr;
    // The knob drawn on top wins where knobs overlap.
    for (auto it = m_handles.rbegin(); it != m_handles.rend(); ++it) {
        if (knobFrame(**it).contains(event->position())) {
            m_activeHandle = it->get();
            break;
        }
    }
    if (m_activeHandle == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    activeHandleView()->setFocus(Qt::MouseFocusReason);
    m_activeBoundary = boundaryForView(*m_activeHandle);
    m_lastValue = m_activeHandle->curRatio;
    event->accept();
}

void VMMultiHandleSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (m_activeHandle == nullptr) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    moveKnob(*m_activeHandle, event->position().x() - kHalfKnob, m_activeBoundary);
    reportIfMoved(*m_activeHandle);
    event->accept();
}

void VMMultiHandleSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_activeHandle == nullptr) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_activeHandle = nullptr;
    m_activeBoundary = {0.0, 0.0};
    event->accept();
}

bool VMMultiHandleSlider::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (VMSliderHandle *handle = handleOfKnob(watched))
            return moveByKey(*handle, static_cast<QKeyEvent *>(event)->key());
    }
    return QWidget::eventFilter(watched, event);
}

bool VMMultiHandleSlider::moveByKey(VMSliderHandle &handle, int key)
{
    const double width = trackWidth();
    if (width <= 0.0 || m_keyboardStepsPerUnit <= 0)
        return false;
    const Boundary boundary = boundaryForView(handle);
    // Whole steps from the left end, so that repeated presses land on
    // round values (0.71, not 0.70999).
    const auto steps = static_cast<float>(m_keyboardStepsPerUnit);
    const long step = std::lround(handle.curRatio * steps);
    const auto stepRatio = [steps](long n) { return static_cast<double>(static_cast<float>(n) / steps); };
    double ratio = 0.0;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        ratio = stepRatio(step - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        ratio = stepRatio(step + 1);
        break;
    case Qt::Key_PageDown:
        ratio = stepRatio(step - kPageSteps);
        break;
    case Qt::Key_PageUp:
        ratio = stepRatio(step + kPageSteps);
        break;
    case Qt::Key_Home:
        ratio = boundary.first / width;
        break;
    case Qt::Key_End:
        ratio = (boundary.second - kKnobWidth) / width;
        break;
    default:
        return false;
    }
    m_lastValue = handle.curRatio;
    ratio = std::max(std::min(ratio, (boundary.second - kKnobWidth) / width), boundary.first / width);
    handle.curRatio = std::clamp(static_cast<float>(ratio), 0.0f, 1.0f);
    placeKnob(handle);
    reportIfMoved(handle);
    return true;
}
