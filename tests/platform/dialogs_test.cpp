#include "platform/date_dialog.h"
#include "platform/message_prompt.h"
#include "platform/start_number_dialog.h"
#include "platform/wait_window.h"
#include "support/fake_prompt.h"
#include "support/qt_print.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace morlenta;

TEST(StartNumberDialog, TakesOnlyDigitsAndCannotBeLeftEmpty)
{
    test::FakePrompt prompt;
    TfmStartNo dialog(prompt, QStringLiteral("Въведете стартов номер на поръчка"));
    dialog.open();
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("lblQuestion"))->text(),
              QStringLiteral("Въведете стартов номер на поръчка"));
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("eNumber"));
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("btnOk"));
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(ok, nullptr);

    // Empty: OK, Escape and closing are all refused with the same message.
    QTest::mouseClick(ok, Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.texts(), QStringList(3, QStringLiteral("Трябва да въведете номер!")));
    EXPECT_EQ(dialog.number(), -1);

    QTest::keyClicks(edit, QStringLiteral("1a2-3 x4"));
    EXPECT_EQ(edit->text(), QStringLiteral("1234"));
    edit->setText(QStringLiteral("12x")); // set around the validator: still no number
    EXPECT_EQ(dialog.number(), -1);
    edit->setText(QStringLiteral("1500"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.number(), 1500);
    EXPECT_EQ(prompt.records().size(), 3);
}

TEST(DateDialog, ReturnsTheChosenDateWithinItsRange)
{
    const QDate today = QDate::currentDate();
    TsrDate dialog(nullptr, QStringLiteral("Дата на доставка"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Дата на доставка"));
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("btnCancel"))->text(), QStringLiteral("Отказ"));
    dialog.setDate(today.addDays(5));
    dialog.setDateRange(today.addDays(-10), today);
    EXPECT_EQ(dialog.date(), today);
    dialog.setDate(today.addDays(-30));
    EXPECT_EQ(dialog.date(), today.addDays(-10));
    dialog.findChild<QDateEdit *>(QStringLiteral("eDate"))->setDate(today.addDays(-3));

    dialog.open();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.date(), today.addDays(-3));

    dialog.open();
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(WaitMessage, ShowsOneLineUntilTheWorkEnds)
{
    QWidget window;
    window.resize(400, 300);
    window.show();
    MessagePrompt prompt(&window);
    {
        WaitMessage wait(prompt, QStringLiteral("Зареждане на номенклатурата, моля изчакайте ..."));
        auto *mess = window.findChild<TfmMess *>(QStringLiteral("TfmMess"));
        ASSERT_NE(mess, nullptr);
        EXPECT_TRUE(mess->isVisible());
        EXPECT_EQ(mess->findChild<QLabel *>(QStringLiteral("lblMess"))->text(),
                  QStringLiteral("Зареждане на номенклатурата, моля изчакайте ..."));
    }
    EXPECT_FALSE(window.findChild<TfmMess *>(QStringLiteral("TfmMess"))->isVisible());
}
