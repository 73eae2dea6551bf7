#include "widgets/TKInterfaceHelpers.h"

#include "widgets/TKSegmentedControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QScreen>

void TKSetSegmentLabels(TKSegmentedControl *control, const QStringList &labels)
{
    control->setSegmentCount(static_cast<int>(labels.size()));
    for (int segment = 0; segment < labels.size(); ++segment)
        control->setLabel(labels.at(segment), segment);
}

void TKSetComboItems(QComboBox *combo, const QStringList &items)
{
    combo->clear();
    combo->addItems(items);
}

void TKSetCellTitles(const QList<QAbstractButton *> &cells, const QStringList &titles)
{
    const qsizetype count = std::min(cells.size(), titles.size());
    for (qsizetype cell = 0; cell < count; ++cell)
        cells.at(cell)->setText(titles.at(cell));
}

void TKCenterViewHorizontally(QWidget *view, const QWidget *reference)
{
    // Centre from the exact halves: QRect::center() rounds down and shifts odd widths by one.
    view->move(reference->x() + (reference->width() - view->width()) / 2, view->y());
}

void TKCenterInScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (screen == nullptr)
        return;
    const QRect visible = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size();
    window->move(visible.topLeft() + QPoint((visible.width() - frame.width()) / 2, (visible.height() - frame.height()) / 2));
}

void TKShowAlertSheet(QWidget *window, const QString &message, const QString &informativeText,
                      std::function<void()> onEnd)
{
    auto *alert = new QMessageBox(QMessageBox::Warning, message, message, QMessageBox::Ok, window);
    alert->setInformativeText(informativeText);
    alert->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    if (onEnd)
        QObject::connect(alert, &QMessageBox::finished, alert, [onEnd](int) { onEnd(); });
    alert->open();
}

void TKShowAlert(QWidget *window, const QString &message, const QString &informativeText)
{
    TKShowAlertSheet(window, message, informativeText, {});
}

bool TKIsEmptyString(const QString &text)
{
    return text.isEmpty();
}
