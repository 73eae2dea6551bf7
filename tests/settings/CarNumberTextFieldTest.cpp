#include "settings/VRDCarNumberTextField.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString afterFocusLeaves(const QString &typed)
{
    VRDCarNumberTextField field;
    field.setText(typed);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &leave);
    return field.text();
}

} // namespace

TEST(CarNumberTextField, LeavingTheFieldKeepsAsciiLettersAndDigitsUpToEight)
{
    EXPECT_EQ(afterFocusLeaves("12 AB-3456"), "12AB3456");
    EXPECT_EQ(afterFocusLeaves("ab12cd34ef56"), "ab12cd34");
    EXPECT_EQ(afterFocusLeaves("#-. /!"), "");
    EXPECT_EQ(afterFocusLeaves(QString::fromUtf8("서울12가3456")), "123456");
    EXPECT_EQ(afterFocusLeaves(QString::fromUtf8("ＡＢ12")), "12") << "full-width letters are not ASCII";
    EXPECT_EQ(afterFocusLeaves(""), "");
}

TEST(CarNumberTextField, ReturnCleansBeforeEditingIsReportedFinished)
{
    VRDCarNumberTextField field;
    QString reported;
    QObject::connect(&field, &QLineEdit::editingFinished, &field, [&] { reported = field.text(); });
    QTest::keyClicks(&field, "A-1 b.2");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.text(), "A1b2");
    EXPECT_EQ(reported, "A1b2");
    EXPECT_TRUE(field.isModified()) << "cleaning keeps the field marked as edited by the user";
}
