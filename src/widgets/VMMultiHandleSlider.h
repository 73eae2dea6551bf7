#pragma once

#include "widgets/TKImage.h"
#include "widgets/VMSliderHandle.h"

#include <QMap>
#include <QString>
#include <QWidget>

#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

class VMSliderKnob;

// A horizontal slider with any number of named handles on one bar. Each
// handle sits at a ratio from 0 to 1 and maps it to a value of its own;
// handles keep their order and their knobs never overlap. Dragging a knob
// or moving a focused knob with the arrow keys reports all values by name.
class VMMultiHandleSlider : public QWidget
{
    Q_OBJECT

public:
    using Values = QMap<QString, float>;
    using ValueChangedBlock = std::function<void(const Values &)>;
    using Boundary = std::pair<double, double>;

    // Changes smaller than this are not reported.
    static constexpr float kEpsilon = std::numeric_limits<float>::epsilon();

    explicit VMMultiHandleSlider(QWidget *parent = nullptr);
    ~VMMultiHandleSlider() override;

    // Adds a handle (replacing one of the same name) at initRatio. Mappings
    // may be empty: the value is then the ratio.
    void addHandle(const QString &name, const TKImage &image, float initRatio,
                   VMSliderHandle::Mapping valueBlock = {}, VMSliderHandle::Mapping invValueBlock = {});
    // Replaces any earlier action; told after every user change.
    void setValueChangedBlock(ValueChangedBlock block);

    const VMSliderHandle *handle(const QString &name) const;
    // The current value of every handle by name.
    Values values() const;
    // Moves a handle from outside to the ratio of value, kept within the
    // limits its neighbours set; reports the change like a drag does. An
    // unknown name or a value that is not a number changes nothing.
    void setValue(const QString &name, float value);

    // The arrow keys move a handle by 1 / stepsPerUnit (Page Up/Down by ten
    // steps), onto whole steps.
    int keyboardStepsPerUnit() const { return m_keyboardStepsPerUnit; }
    void setKeyboardStepsPerUnit(int steps) { m_keyboardStepsPerUnit = steps; }

    // The left and right limits, in slider coordinates, of the handle's knob
    // while it moves: the nearest knob edges on either side, else the ends.
    Boundary boundaryForHandle(const QString &name) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    VMSliderHandle *findHandle(const QString &name) const;
    VMSliderHandle *handleOfKnob(const QObject *knob) const;
    // Usable track width: knob left edges run from 0 to this.
    double trackWidth() const;
    QRectF knobFrame(const VMSliderHandle &handle) const;
    void placeKnob(VMSliderHandle &handle);
    // Whether a lies left of b: by ratio, equal ratios by the order added.
    bool isLeftOf(const VMSliderHandle &a, const VMSliderHandle &b) const;
    // The drag limits of the handle's knob.
    Boundary boundaryForView(const VMSliderHandle &handle) const;
    // The knob being dragged, or null.
    VMSliderKnob *activeHandleView() const;
    // Puts the handle's knob at leftEdge, inside boundary.
    void moveKnob(VMSliderHandle &handle, double leftEdge, const Boundary &boundary);
    bool moveByKey(VMSliderHandle &handle, int key);
    // Brings `values` up to date and tells the owner, when the handle moved.
    void reportIfMoved(const VMSliderHandle &handle);
    void storeValuesAndNotify();

    ValueChangedBlock m_valueChangedBlock;
    float m_lastValue = 0.0f;
    VMSliderHandle *m_activeHandle = nullptr;
    Boundary m_activeBoundary{0.0, 0.0};
    std::vector<std::unique_ptr<VMSliderHandle>> m_handles;
    Values m_values;
    int m_keyboardStepsPerUnit = 100;
};
