#include "common/money.h"
#include "finance/cash_ledger.h"
#include "finance/finance_fixture.h"
#include "finance/operation_date.h"
#include "finance/rates.h"
#include "finance/tsr_course.h"
#include "finance/tsr_currency.h"
#include "finance/tsr_kasa.h"
#include "platform/data_grid.h"
#include "platform/pdf_text.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace morlenta;
using namespace morlenta::finance;
using morlenta::test::FinanceTest;

namespace {

// Runs `step` on the next modal dialog once it is open.
void onNextDialog(std::function<void(QWidget *)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) {
            onNextDialog(step);
            return;
        }
        step(w);
    });
}

void click(QWidget *parent, const char *name)
{
    auto *b = parent->findChild<QPushButton *>(QLatin1String(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class FinanceWindowsTest : public FinanceTest {};

TEST_P(FinanceWindowsTest, RateEntryProposesRefusesAndSaves)
{
    const QDate day(2026, 4, 2);
    TsrCurrency w(db(), prompt, day);
    w.show();
    EXPECT_EQ(w.stDate->text(), QStringLiteral("02.04.2026"));
    EXPECT_EQ(w.DBEdit1->text(), QStringLiteral("1.7"));
    EXPECT_EQ(w.DBEdit2->text(), QStringLiteral("1.956"));
    EXPECT_EQ(w.focusWidget(), w.DBEdit1);

    w.DBEdit1->setText(QStringLiteral("0"));
    w.DBEdit2->setText(QStringLiteral("-1"));
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records()[0].text, invalidRatesText());
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Внимание"));
    EXPECT_EQ(prompt.records()[0].icon, PromptIcon::Error);
    EXPECT_EQ(w.focusWidget(), w.DBEdit1); // USD first when both are wrong
    w.DBEdit1->setText(QStringLiteral("1,8"));
    w.DBEdit2->setText(QStringLiteral("лв"));
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(prompt.records().size(), 2);
    EXPECT_EQ(w.focusWidget(), w.DBEdit2);
    EXPECT_FALSE(storedRates(db(), day).has_value());

    // Neither closing nor Escape leaves an unsaved day.
    w.close();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());

    w.DBEdit2->setText(QStringLiteral("1.95583"));
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const auto stored = storedRates(db(), day);
    ASSERT_TRUE(stored.has_value());
    EXPECT_DOUBLE_EQ(stored->usd, 1.8);
    EXPECT_DOUBLE_EQ(stored->eur, 1.95583);

    TsrCurrency next(db(), prompt, day.addDays(1));
    EXPECT_EQ(next.DBEdit1->text(), QStringLiteral("1.8"));
    EXPECT_EQ(next.DBEdit2->text(), QStringLiteral("1.95583"));
    next.show();
    QTest::mouseClick(next.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(next.result(), QDialog::Rejected);
    EXPECT_FALSE(next.isVisible());
}

TEST_P(FinanceWindowsTest, OperationDateNeedsTheDaysRatesInMultiCurrencyMode)
{
    setMultiCurrency(true);
    useRateWindow(session, nullptr);
    const QDate today = QDate::currentDate();
    // The date dialog is confirmed; the rate window that follows is given up.
    onNextDialog([](QWidget *dateDialog) {
        onNextDialog([](QWidget *rates) {
            EXPECT_EQ(rates->objectName(), QStringLiteral("TsrCurrency"));
            click(rates, "BitBtn2");
        });
        click(dateDialog, "btnOk");
    });
    EXPECT_FALSE(chooseOperationDate(nullptr, session, QStringLiteral("Дата на доставка")).has_value());

    // Now the rates are saved: the date is chosen.
    onNextDialog([](QWidget *dateDialog) {
        onNextDialog([](QWidget *rates) { click(rates, "BitBtn1"); });
        click(dateDialog, "btnOk");
    });
    EXPECT_EQ(chooseOperationDate(nullptr, session, QStringLiteral("Дата на доставка")), today);
    EXPECT_TRUE(storedRates(db(), today).has_value());

    // The day has its rates: nothing more is asked.
    onNextDialog([](QWidget *dateDialog) { click(dateDialog, "btnOk"); });
    EXPECT_EQ(chooseOperationDate(nullptr, session, QStringLiteral("Дата на доставка")), today);
}

TEST_P(FinanceWindowsTest, RatesListShowsEveryDayLatestFirst)
{
    saveRates(db(), {QDate(2026, 1, 5), 1.7, 1.95583});
    saveRates(db(), {QDate(2026, 2, 5), 1.8, 1.95583});
    TsrCourse w(session);
    ASSERT_EQ(w.grCourse->rowCount(), 2);
    EXPECT_EQ(w.grCourse->currentValue(QStringLiteral("Data")).toDate(), QDate(2026, 2, 5));
    const GridTable shown = w.grCourse->shownTable();
    QStringList captions;
    for (const GridTableColumn &c : shown.columns)
        captions << c.caption;
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Дата"), QStringLiteral("USD"), QStringLiteral("EUR")}));
    ASSERT_EQ(shown.lines.size(), 2);
    EXPECT_EQ(shown.lines[0].cells, (QStringList{QStringLiteral("05.02.2026"), QStringLiteral("1.80000"),
                                                 QStringLiteral("1.95583")}));
}

TEST_P(FinanceWindowsTest, RatesListEntersAMissingDayOnly)
{
    TsrCourse w(session);
    w.show();
    EXPECT_EQ(w.grCourse->rowCount(), 0);
    onNextDialog([](QWidget *dateDialog) {
        onNextDialog([](QWidget *rates) { click(rates, "BitBtn1"); }); // the proposal 1.7 / 1.956
        click(dateDialog, "btnOk");
    });
    QTest::mouseClick(w.btnNew, Qt::LeftButton);
    ASSERT_EQ(w.grCourse->rowCount(), 1);
    EXPECT_DOUBLE_EQ(storedRates(db(), QDate::currentDate())->eur, 1.956);

    onNextDialog([](QWidget *dateDialog) { click(dateDialog, "btnOk"); });
    QTest::mouseClick(w.btnNew, Qt::LeftButton);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("За тази дата вече има въведен валутен курс.")});
    EXPECT_EQ(w.grCourse->rowCount(), 1);
}

class KasaWindowTest : public FinanceTest {
protected:
    void SetUp() override
    {
        FinanceTest::SetUp();
        if (IsSkipped())
            return;
        session.printFooter = QStringLiteral("Сервиз Морлента - тел. 0888 000 000");
        const QDate today = QDate::currentDate();
        postCash(db(), 1, {500, CurLeva, QStringLiteral("Начална наличност")},
                 QDateTime(today.addDays(-7), QTime(9, 0)));
        postCash(db(), 1, {120.5, CurLeva, QStringLiteral("Плащане поръчка №12")},
                 QDateTime(today.addDays(-1), QTime(11, 0)));
        postCash(db(), 1, {-20, CurLeva, QStringLiteral("Куриер")}, QDateTime(today, QTime(0, 0, 1)));
        postCash(db(), 1, {0, CurLeva, QStringLiteral("Нулев ред")}, QDateTime(today, QTime(0, 0, 2)));
        postCash(db(), 1, {30, CurUsd, QStringLiteral("Продажба")},
                 QDateTime(today.addDays(-30), QTime(10, 0)));
    }
    int kasaRows() { return db().scalar(QStringLiteral("select count(*) from kasa")).toInt(); }
};

TEST_P(KasaWindowTest, OpensOnYesterdayAndTodayWithTheBalanceOfTheWholeLedger)
{
    TsrKasa w(session);
    w.show();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(w.Picker2->date(), today.addDays(-1));
    EXPECT_EQ(w.Picker3->date(), today);
    EXPECT_FALSE(w.btnSpr->isEnabled());
    EXPECT_EQ(w.grKasa->rowCount(), 3);
    EXPECT_EQ(w.eBGN->text(), QStringLiteral("600.50"));
    EXPECT_EQ(w.eUSD->text(), QStringLiteral("30.00"));
    EXPECT_EQ(w.eEUR->text(), QStringLiteral("0.00"));

    // Grouped by day, the latest first inside a day; a row of 0 is "out".
    const GridTable flat = w.grKasa->flatTable();
    QStringList notes;
    for (const GridTableLine &l : flat.lines)
        notes << l.cells.at(w.grKasa->visibleColumns().indexOf(QStringLiteral("Notes")));
    EXPECT_EQ(notes, (QStringList{QStringLiteral("Плащане поръчка №12"), QStringLiteral("Нулев ред"),
                                  QStringLiteral("Куриер")}));
    const int in = int(w.grKasa->visibleColumns().indexOf(QStringLiteral("inSum")));
    const int out = int(w.grKasa->visibleColumns().indexOf(QStringLiteral("outSum")));
    EXPECT_EQ(flat.lines[0].cells.at(in), QStringLiteral("120.50"));
    EXPECT_EQ(flat.lines[0].cells.at(out), QString());
    EXPECT_EQ(flat.lines[1].cells.at(in), QString());
    EXPECT_EQ(flat.lines[1].cells.at(out), QStringLiteral("0.00"));
    EXPECT_EQ(flat.lines[2].cells.at(out), QStringLiteral("20.00"));

    // A from date in the future becomes today and pulls nothing; the list waits for the button.
    w.Picker2->setMaximumDate(today.addDays(30));
    w.Picker2->setDate(today.addDays(5));
    EXPECT_EQ(w.Picker2->date(), today);
    EXPECT_TRUE(w.btnSpr->isEnabled());
    EXPECT_EQ(w.grKasa->rowCount(), 3);
    w.Picker3->setDate(today.addDays(-10)); // pulls from back to it
    EXPECT_EQ(w.Picker2->date(), today.addDays(-10));
    w.Picker3->setDate(today);
    QTest::mouseClick(w.btnSpr, Qt::LeftButton);
    EXPECT_FALSE(w.btnSpr->isEnabled());
    EXPECT_EQ(w.grKasa->rowCount(), 4);
}

TEST_P(KasaWindowTest, ManualEntriesOutAndInWithTheirChecks)
{
    TsrKasa w(session);
    w.show();
    QTest::mouseClick(w.btnTransact, Qt::LeftButton);
    EXPECT_TRUE(w.entering());
    EXPECT_TRUE(w.pnlTransact->isVisible());
    EXPECT_FALSE(w.btnExit->isEnabled());
    EXPECT_FALSE(w.grKasa->isEnabled());
    EXPECT_FALSE(w.eVal->isEnabled()); // leva only
    EXPECT_EQ(w.PayType->currentIndex(), 0);
    EXPECT_EQ(w.editSum->text(), QStringLiteral("0"));
    EXPECT_EQ(w.focusWidget(), w.editSum);
    w.close();
    EXPECT_TRUE(w.isVisible());

    w.editSum->setText(QStringLiteral("сто"));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Моля въведете положително число"));
    EXPECT_EQ(w.focusWidget(), w.editSum);
    w.editSum->setText(QStringLiteral("45,50"));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Моля въведете основание за транзакцията! "));
    EXPECT_EQ(w.focusWidget(), w.EditNote);
    w.EditNote->setText(QStringLiteral("Аванс за гориво"));
    prompt.expectQuestion(QStringLiteral("След запис няма да можете да изтриете"), PromptAnswer::No);
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_TRUE(w.entering());
    EXPECT_EQ(kasaRows(), 5);
    prompt.expectQuestion(QStringLiteral("Желате ли да запишете въведените данни?"), PromptAnswer::Yes);
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_FALSE(w.entering());
    EXPECT_FALSE(w.pnlTransact->isVisible());
    EXPECT_TRUE(w.btnExit->isEnabled());
    EXPECT_EQ(kasaRows(), 6);
    EXPECT_EQ(w.eBGN->text(), QStringLiteral("555.00"));
    EXPECT_EQ(w.Picker2->date(), QDate::currentDate()); // the entry showed today
    EXPECT_EQ(w.grKasa->rowCount(), 3);

    // Money in, in euro, in multi-currency mode.
    setMultiCurrency(true);
    QTest::mouseClick(w.btnTransact, Qt::LeftButton);
    EXPECT_TRUE(w.eVal->isEnabled());
    EXPECT_TRUE(w.EditNote->text().isEmpty());
    w.PayType->setCurrentIndex(1);
    w.eVal->setCurrentIndex(2);
    w.editSum->setText(QStringLiteral("100"));
    w.EditNote->setText(QStringLiteral("Внесени от управителя"));
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_EQ(w.eEUR->text(), QStringLiteral("100.00"));
    EXPECT_EQ(w.eBGN->text(), QStringLiteral("555.00"));

    // Escape abandons an entry and leaves the window open.
    QTest::mouseClick(w.btnTransact, Qt::LeftButton);
    w.EditNote->setText(QStringLiteral("нещо"));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.entering());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(kasaRows(), 7);
}

TEST_P(KasaWindowTest, ClockGuardAbandonsTheEntry)
{
    postCash(db(), 1, {1, CurLeva, QStringLiteral("утре")},
             QDateTime(QDate::currentDate().addDays(1), QTime(8, 0)));
    TsrKasa w(session);
    w.show();
    QTest::mouseClick(w.btnTransact, Qt::LeftButton);
    w.editSum->setText(QStringLiteral("10"));
    w.EditNote->setText(QStringLiteral("Заем"));
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_TRUE(prompt.texts().last().startsWith(QStringLiteral("Днешната дата е предишна спрямо датата")));
    EXPECT_FALSE(w.entering());
    EXPECT_TRUE(w.EditNote->text().isEmpty());
    EXPECT_EQ(kasaRows(), 6);
}

TEST_P(KasaWindowTest, PrintsThePeriodWithTheFooterAndExportsEveryRow)
{
    TsrKasa w(session);
    w.show();
    ASSERT_TRUE(w.preparePrint());
    const QString pdf = tempPath(QStringLiteral("kasa.pdf"));
    ASSERT_TRUE(w.grKasa->writePdf(pdf));
    const QStringList pages = test::pdfPages(pdf);
    ASSERT_FALSE(pages.isEmpty());
    const QDate today = QDate::currentDate();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Касови опрации за периода")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("от ") + dateText(today.addDays(-1)) +
                                  QStringLiteral(" до ") + dateText(today)))
        << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Плащане поръчка №12")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Сервиз Морлента - тел. 0888 000 000")));

    const QString xlsx = tempPath(QStringLiteral("Spravka_Kasa.xlsx"));
    ASSERT_TRUE(w.grKasa->exportTo(xlsx));
    EXPECT_GT(QFile(xlsx).size(), 0);
    EXPECT_EQ(w.grKasa->flatTable().lines.size(), 3);

    // An empty period prints nothing.
    w.Picker3->setDate(today.addDays(-3));
    w.Picker2->setDate(today.addDays(-3));
    QTest::mouseClick(w.btnSpr, Qt::LeftButton);
    EXPECT_EQ(w.grKasa->rowCount(), 0);
    EXPECT_FALSE(w.preparePrint());
    QTest::mouseClick(w.BitBtn2, Qt::LeftButton); // no dialog for an empty list
    EXPECT_TRUE(prompt.records().isEmpty());
}

MORLENTA_ON_BOTH_ENGINES(FinanceWindowsTest);
MORLENTA_ON_BOTH_ENGINES(KasaWindowTest);
