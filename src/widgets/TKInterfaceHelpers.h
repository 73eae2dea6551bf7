#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QComboBox;
class QWidget;
class TKSegmentedControl;

// Small chores shared by every settings tab and dialog.

// As many segments as labels, label i on segment i.
void TKSetSegmentLabels(TKSegmentedControl *control, const QStringList &labels);
// Removes every item of the combo box and adds the given ones in order.
void TKSetComboItems(QComboBox *combo, const QStringList &items);
// Title i on cell i of a button matrix (extra titles or cells are left alone).
void TKSetCellTitles(const QList<QAbstractButton *> &cells, const QStringList &titles);
// Moves view so that its horizontal centre lies over reference's centre,
// keeping its vertical position. Both must share a parent.
void TKCenterViewHorizontally(QWidget *view, const QWidget *reference);
// Moves a window to the middle of its screen's visible area, frame included;
// its size stays.
void TKCenterInScreen(QWidget *window);
// A warning alert with one "OK" button, modal to window; onEnd runs when it
// is dismissed.
void TKShowAlertSheet(QWidget *window, const QString &message, const QString &informativeText,
                      std::function<void()> onEnd);
void TKShowAlert(QWidget *window, const QString &message, const QString &informativeText);
// Absent (null) or of length 0.
bool TKIsEmptyString(const QString &text);
