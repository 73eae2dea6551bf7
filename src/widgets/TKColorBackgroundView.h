#pragma once

#include <QColor>
#include <QWidget>

// A plain view painted with one colour; an invalid colour leaves it unpainted.
class TKColorBackgroundView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)

public:
    explicit TKColorBackgroundView(QWidget *parent = nullptr);

    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_backgroundColor;
};
