#include "common/local_settings.h"
#include "common/preferences.h"
#include "common/session.h"
#include "data/database.h"
#include "orders/order_settlement.h"
#include "orders/tfrm_otchet.h"
#include "support/session_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::SessionTest;

class OrderWindow : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (IsSkipped())
            return;
        prefs->setNum(QLatin1String(Pref::Taksa), 10);
        technician =
            int(db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Техник")},
                                                       {QStringLiteral("Active"), true},
                                                       {QStringLiteral("worker"), 0},
                                                       {QStringLiteral("Percent"), 40}}));
        operation = {int(db().insert(QStringLiteral("Operations"),
                                     {{QStringLiteral("Code"), QStringLiteral("D1")},
                                      {QStringLiteral("Operation"), QStringLiteral("Смяна на дисплей")},
                                      {QStringLiteral("clientPrice"), 30.0},
                                      {QStringLiteral("warrantyPrice"), 6.0},
                                      {QStringLiteral("workerPrice"), 12.0},
                                      {QStringLiteral("fromGarant"), 20.0}})),
                     QStringLiteral("D1"), QStringLiteral("Смяна на дисплей"),
                     OperationPrices{30, 6, 12, 20}};
        part = db().insert(QStringLiteral("parts"), {{QStringLiteral("Part"), QStringLiteral("Дисплей")},
                                                     {QStringLiteral("inPrice"), 25.0},
                                                     {QStringLiteral("ipVal"), 1},
                                                     {QStringLiteral("outPrice"), 40.0},
                                                     {QStringLiteral("opVal"), 1},
                                                     {QStringLiteral("amnt"), 3}});
    }
    void addOrder(qint64 id, const QString &client, int typeWarr = 0, const QString &warName = QString())
    {
        db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), id},
                                                 {QStringLiteral("clientNames"), client},
                                                 {QStringLiteral("TypeWarr"), typeWarr},
                                                 {QStringLiteral("WarName"), warName},
                                                 {QStringLiteral("idClerk"), technician},
                                                 {QStringLiteral("ready"), false},
                                                 {QStringLiteral("payed"), false},
                                                 {QStringLiteral("taksa"), 0.0},
                                                 {QStringLiteral("porState"), 1}});
        db().insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), id},
                                                   {QStringLiteral("idPart"), part},
                                                   {QStringLiteral("amnt"), 1},
                                                   {QStringLiteral("priceLV"), 1.0}});
    }
    void type(QLineEdit *e, const QString &text)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    int technician = 0;
    OperationChoice operation;
    qint64 part = 0;
};

TEST_P(OrderWindow, FirmOrderFromCompletionToPaymentOnAccount)
{
    const qint64 firm =
        db().insert(QStringLiteral("firms"), {{QStringLiteral("Name"), QStringLiteral("Фирма")},
                                              {QStringLiteral("Reduction"), 10.0},
                                              {QStringLiteral("ReductJobs"), 20.0}});
    addOrder(21, QStringLiteral("Фирма"));
    TfrmOtchet w(session, 21, OrderMode::Complete);
    w.chooseOperation = [this] { return std::optional<OperationChoice>(operation); };
    w.show();
    EXPECT_EQ(w.cmbClerks->currentText(), QStringLiteral("Техник"));
    EXPECT_EQ(w.eParts->text(), QStringLiteral("40.00")); // repriced at the catalogue's price
    EXPECT_EQ(w.eTaksa->text(), QStringLiteral("10.00")); // the shop's fee
    w.addWorkOpClick();
    ASSERT_EQ(w.grTrud->rowCount(), 1);
    EXPECT_EQ(w.grTrud->item(0, 0)->text(), QStringLiteral("код: D1 - Смяна на дисплей"));
    EXPECT_EQ(w.eTrudClerk->text(), QStringLiteral("12.00"));
    EXPECT_EQ(w.eOtst->text(), QStringLiteral("10.00"));
    EXPECT_EQ(w.eSuma->text(), QStringLiteral("70.00"));
    type(w.eSuma, QStringLiteral("75"));
    EXPECT_EQ(w.eOtst->text(), QStringLiteral("5.00"));
    type(w.eOtst, QStringLiteral("-5"));
    EXPECT_EQ(w.eSuma->text(), QStringLiteral("85.00"));
    type(w.eOtst, QStringLiteral("10"));
    EXPECT_EQ(w.eSuma->text(), QStringLiteral("70.00"));

    w.btnReadyClick();
    EXPECT_EQ(w.mode(), OrderMode::Pay);
    EXPECT_TRUE(prompt.records().isEmpty()) << prompt.texts().join(QLatin1Char('|')).toStdString();
    const auto done = *loadOrderRecord(db(), 21);
    EXPECT_TRUE(done.ready);
    EXPECT_DOUBLE_EQ(done.sumAll, 70.0);
    EXPECT_EQ(done.idClerk, technician);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("select suma from paymClerks where noPor = 21")).toDouble(),
                     12.0);

    // Later, with other percents: the stored total holds.
    db().execute(QStringLiteral("update firms set Reduction = 50"));
    TfrmOtchet pay(session, 21, OrderMode::Pay);
    pay.show();
    EXPECT_EQ(pay.eSuma->text(), QStringLiteral("70.00"));
    EXPECT_EQ(pay.eOtst->text(), QStringLiteral("10.00"));
    ASSERT_TRUE(pay.cmbPay->isVisibleTo(&pay));
    pay.cmbPay->setCurrentIndex(1);
    pay.btnPayClick();
    EXPECT_EQ(pay.result(), QDialog::Accepted);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from kasa")).toInt(), 0);
    EXPECT_DOUBLE_EQ(
        db().scalar(QStringLiteral("select Suma from payClient where idName = ?"), {firm}).toDouble(), 70.0);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from payNoFact")).toInt(), 1);
    // Labour 30 - 12, fee 10, parts 40 - 25; less the discount.
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("select Pech from porychka where idPor = 21")).toDouble(),
                     33.0);
}

TEST_P(OrderWindow, ChecksAndWarrantyPricing)
{
    addOrder(22, QStringLiteral("Иван"), 1);
    TfrmOtchet own(session, 22, OrderMode::Complete);
    own.chooseOperation = [this] { return std::optional<OperationChoice>(operation); };
    own.show();
    own.addWorkOpClick();
    EXPECT_EQ(own.basis(), Basis::Own);
    EXPECT_EQ(own.eParts->text(), QStringLiteral("0.00")); // own warranty: nothing charged
    EXPECT_EQ(own.eSuma->text(), QStringLiteral("0.00"));
    EXPECT_EQ(own.eTrudClerk->text(), QStringLiteral("6.00"));
    EXPECT_FALSE(own.eTaksa->isEnabled());
    // Back to paid repair: the catalogue prices and the fee.
    own.cmbWar->setCurrentIndex(0);
    EXPECT_EQ(own.eParts->text(), QStringLiteral("40.00"));
    EXPECT_EQ(own.eSuma->text(), QStringLiteral("80.00"));
    type(own.eTaksa, QStringLiteral("15"));
    EXPECT_EQ(own.eSuma->text(), QStringLiteral("85.00"));
    prompt.expectQuestion(QStringLiteral("Taксата е различна от обявената!"), PromptAnswer::No);
    own.btnReadyClick();
    EXPECT_EQ(own.mode(), OrderMode::Complete);
    EXPECT_FALSE(loadOrderRecord(db(), 22)->ready);
    own.delWorkClick();
    EXPECT_EQ(own.eSuma->text(), QStringLiteral("55.00"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Jobs_In_Por")).toInt(), 0);
}

MORLENTA_ON_BOTH_ENGINES(OrderWindow);
