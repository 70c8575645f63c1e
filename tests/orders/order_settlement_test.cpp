#include "orders/order_settlement.h"

#include "common/labels.h"
#include "data/database.h"
#include "support/db_fixture.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;

namespace {

const QDate kToday(2026, 12, 11);

} // namespace

class SettlementDb : public DbTest {
protected:
    qint64 order(qint64 id, const QString &client, int typeWarr = 0, const QString &warName = QString())
    {
        db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), id},
                                                 {QStringLiteral("clientNames"), client},
                                                 {QStringLiteral("TypeWarr"), typeWarr},
                                                 {QStringLiteral("WarName"), warName},
                                                 {QStringLiteral("ready"), false},
                                                 {QStringLiteral("payed"), false},
                                                 {QStringLiteral("porState"), 1}});
        return id;
    }
    int count(const QString &table)
    {
        return db().scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
    double value(const QString &sql, const QVariantList &params = {})
    {
        return db().scalar(sql, params).toDouble();
    }
};

TEST_P(SettlementDb, EntryChecksOfTheThreeCommands)
{
    order(5, QStringLiteral("Клиент"));
    auto o = *loadOrderRecord(db(), 5);
    EXPECT_FALSE(orderEntryRefusal(db(), o, OrderMode::Parts));
    EXPECT_EQ(*orderEntryRefusal(db(), o, OrderMode::Pay), QStringLiteral("Поръчка  №5 не е готова!"));
    db().insert(QStringLiteral("externals"), {{QStringLiteral("idPor"), 5}, {QStringLiteral("back"), false}});
    EXPECT_EQ(*orderEntryRefusal(db(), o, OrderMode::Complete),
              QStringLiteral("Поръчка  №5 e изпратена към външен сервиз и не е върната"));
    o.ready = true;
    EXPECT_EQ(*orderEntryRefusal(db(), o, OrderMode::Parts), QStringLiteral("Поръчка  №5 вече е отчетена!"));
    EXPECT_FALSE(orderEntryRefusal(db(), o, OrderMode::Pay));
    o.payed = true;
    EXPECT_EQ(*orderEntryRefusal(db(), o, OrderMode::Pay), QStringLiteral("Поръчка  №5 вече е платена!"));
    EXPECT_FALSE(loadOrderRecord(db(), 6));
    EXPECT_EQ(noSuchOrderText(6), QStringLiteral("Няма поръчка с номер 6!"));
}

TEST_P(SettlementDb, CompletionBooksPayClaimVisitAndTransport)
{
    const qint64 supplier =
        db().insert(QStringLiteral("delivers"),
                    {{QStringLiteral("Name"), QStringLiteral("Гарант")}, {QStringLiteral("Garant"), true}});
    order(7, QStringLiteral("Мария"), 2, QStringLiteral("Гарант"));
    db().insert(QStringLiteral("homevisit"),
                {{QStringLiteral("field1"), QStringLiteral("7")}, {QStringLiteral("visited"), false}});
    CompletionInput in;
    in.idPor = 7;
    in.clerkId = 3;
    in.amounts.parts = 50;
    in.amounts.trudClient = 20;
    in.amounts.trudClerk = 8;
    in.amounts.trans = 5;
    in.artNo = QStringLiteral("A-1");
    in.stateIndex = 1;
    in.clientName = QStringLiteral("Мария");
    in.today = kToday;
    in.now = QTime(11, 0);
    completeOrder(db(), in);
    const auto o = *loadOrderRecord(db(), 7);
    EXPECT_TRUE(o.ready);
    EXPECT_EQ(o.porState, int(StateRepairedReplaced));
    EXPECT_EQ(o.idClerk, 3);
    EXPECT_EQ(o.softVersion, QStringLiteral("A-1"));
    EXPECT_DOUBLE_EQ(o.transport, 5.0);
    QSqlQuery pay =
        db().exec(QStringLiteral("select idClerk, mesec, godina, suma, noPor, payed, notes from paymClerks"));
    ASSERT_TRUE(pay.next());
    EXPECT_EQ(pay.value(0).toInt(), 3);
    EXPECT_EQ(pay.value(1).toInt(), 12);
    EXPECT_EQ(pay.value(2).toInt(), 2026);
    EXPECT_DOUBLE_EQ(pay.value(3).toDouble(), 8.0);
    EXPECT_EQ(pay.value(6).toString(), QStringLiteral("От поръчка"));
    // The warrantor's claim: 50 + 20 + 5 charged to its account.
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select Suma from payments where idDost = ?"), {supplier}), -75.0);
    EXPECT_EQ(db().scalar(QStringLiteral("select Notes from payments")).toString(),
              QStringLiteral("От поръчка №7"));
    QSqlQuery claim =
        db().exec(QStringLiteral("select sumParts, sumTrud, Transport, ready from otchet_warranties"));
    ASSERT_TRUE(claim.next());
    EXPECT_DOUBLE_EQ(claim.value(0).toDouble(), 50.0);
    EXPECT_DOUBLE_EQ(claim.value(1).toDouble(), 20.0);
    EXPECT_DOUBLE_EQ(claim.value(2).toDouble(), 5.0);
    EXPECT_FALSE(claim.value(3).toBool());
    EXPECT_TRUE(db().scalar(QStringLiteral("select visited from homevisit")).toBool());
    EXPECT_EQ(db().scalar(QStringLiteral("select field2 from homevisit")).toString(),
              QStringLiteral("11.12.2026"));
    QSqlQuery income = db().exec(
        QStringLiteral("select t.type, p.suma, p.notes from prihodi p join typepr t on t.id = p.typeid"));
    ASSERT_TRUE(income.next());
    EXPECT_EQ(income.value(0).toString(), QStringLiteral("Транспорт в поръчки"));
    EXPECT_DOUBLE_EQ(income.value(1).toDouble(), 5.0);
    EXPECT_EQ(income.value(2).toString(), QStringLiteral("Мария - поръчка 7"));
}

TEST_P(SettlementDb, ExternalServiceCompletionWritesNoPay)
{
    order(8, QStringLiteral("Иван"));
    CompletionInput in;
    in.idPor = 8;
    in.amounts.taksa = 10;
    in.amounts.suma = 10;
    in.stateIndex = 0;
    in.today = kToday;
    completeOrder(db(), in);
    EXPECT_EQ(loadOrderRecord(db(), 8)->idClerk, 0);
    EXPECT_EQ(count(QStringLiteral("paymClerks")), 0);
    EXPECT_EQ(count(QStringLiteral("prihodi")), 0);
}

TEST_P(SettlementDb, CashPaymentBooksProfitTillAndDiscount)
{
    order(9, QStringLiteral("Иван"));
    db().insert(QStringLiteral("paymClerks"), {{QStringLiteral("noPor"), 9}, {QStringLiteral("suma"), 12.0}});
    const qint64 part =
        db().insert(QStringLiteral("parts"), {{QStringLiteral("Part"), QStringLiteral("Дисплей")},
                                              {QStringLiteral("inPrice"), 10.0},
                                              {QStringLiteral("ipVal"), 2},
                                              {QStringLiteral("amnt"), 0}});
    db().insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), 9},
                                               {QStringLiteral("idPart"), part},
                                               {QStringLiteral("amnt"), 2},
                                               {QStringLiteral("priceLV"), 25.0}});
    db().insert(
        QStringLiteral("protokol_ka"),
        {{QStringLiteral("idPor"), 9}, {QStringLiteral("ProtNo"), 1}, {QStringLiteral("closed"), false}});
    PaymentInput in;
    in.idPor = 9;
    in.clerkId = 2;
    in.amounts.parts = 50;
    in.amounts.trudClient = 30;
    in.amounts.taksa = 10;
    in.amounts.otst = 4;
    in.amounts.suma = 86;
    in.clientName = QStringLiteral("Иван");
    in.multiCurrency = true;
    in.rates = {2.0, 2.5};
    in.userId = 1;
    in.today = kToday;
    in.now = QTime(12, 30);
    const PaymentResult r = payOrder(db(), in);
    // Labour 30 - 12 earned, fee 10, parts (25 - 10 * 2) * 2 = 10 leva = 5 dollars.
    EXPECT_DOUBLE_EQ(r.profit, 38.0);
    auto pech = [&](int note, int val) {
        return value(QStringLiteral("select Pech from pech where Data = ? and idNote = ? and idVal = ?"),
                     {kToday, note, val});
    };
    EXPECT_DOUBLE_EQ(pech(ProfitOrderLabour, 1), 18.0);
    EXPECT_DOUBLE_EQ(pech(ProfitOrderFee, 1), 10.0);
    EXPECT_DOUBLE_EQ(pech(ProfitOrderParts, 2), 5.0);
    EXPECT_EQ(count(QStringLiteral("pech")), 3);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select Suma from kasa")), 86.0);
    EXPECT_EQ(db().scalar(QStringLiteral("select Notes from kasa")).toString(),
              QStringLiteral("Плащане поръчка №9"));
    EXPECT_EQ(db().scalar(QStringLiteral("select UserID from kasa")).toInt(), 1);
    EXPECT_TRUE(db().scalar(QStringLiteral("select closed from protokol_ka")).toBool());
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select suma from expenses")), 4.0);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select Pech from porychka where idPor = 9")), 34.0);
    const auto o = *loadOrderRecord(db(), 9);
    EXPECT_TRUE(o.payed);
    EXPECT_DOUBLE_EQ(o.sumAll, 86.0);
    EXPECT_EQ(count(QStringLiteral("payNoFact")), 0);

    // A second payment the same day adds to the same dollar row.
    order(10, QStringLiteral("Петър"));
    db().insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), 10},
                                               {QStringLiteral("idPart"), part},
                                               {QStringLiteral("amnt"), 1},
                                               {QStringLiteral("priceLV"), 26.0}});
    in.idPor = 10;
    in.amounts = {};
    in.amounts.parts = 26;
    in.amounts.suma = 26;
    payOrder(db(), in);
    EXPECT_DOUBLE_EQ(pech(ProfitOrderParts, 2), 8.0);
    EXPECT_EQ(count(QStringLiteral("pech")), 3);
}

TEST_P(SettlementDb, FirmOnAccountAndWarrantyPayments)
{
    const qint64 firm =
        db().insert(QStringLiteral("firms"), {{QStringLiteral("Name"), QStringLiteral("Фирма ООД")},
                                              {QStringLiteral("Reduction"), 10.0},
                                              {QStringLiteral("ReductJobs"), -5.0}});
    const FirmDiscounts d = firmDiscounts(db(), QStringLiteral("Фирма ООД"));
    EXPECT_EQ(d.firmId, firm);
    EXPECT_DOUBLE_EQ(d.parts, 10.0);
    EXPECT_DOUBLE_EQ(d.jobs, 0.0);
    order(11, QStringLiteral("Фирма ООД"));
    PaymentInput in;
    in.idPor = 11;
    in.amounts.taksa = 20;
    in.amounts.otst = -3;
    in.amounts.suma = 23;
    in.onAccount = true;
    in.firmId = int(firm);
    in.clientName = QStringLiteral("Фирма ООД");
    in.today = kToday;
    payOrder(db(), in);
    EXPECT_EQ(count(QStringLiteral("kasa")), 0);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select Suma from payClient where idName = ?"), {firm}), 23.0);
    EXPECT_EQ(db().scalar(QStringLiteral("select opis from payNoFact")).toString(),
              QStringLiteral("Ремонт - сервизна поръчка № 11"));
    QSqlQuery income =
        db().exec(QStringLiteral("select t.type, p.suma from prihodi p join typepr t on t.id = p.typeid"));
    ASSERT_TRUE(income.next());
    EXPECT_EQ(income.value(0).toString(), QStringLiteral("Корекции в поръчки"));
    EXPECT_DOUBLE_EQ(income.value(1).toDouble(), 3.0);

    // Under a warranty: profit rows, but no money and no order profit.
    order(12, QStringLiteral("Гаранционен"), 1);
    PaymentInput w;
    w.idPor = 12;
    w.warranty = true;
    w.amounts.trudClient = 0;
    w.today = kToday;
    payOrder(db(), w);
    EXPECT_TRUE(loadOrderRecord(db(), 12)->payed);
    EXPECT_EQ(count(QStringLiteral("kasa")), 0);
    EXPECT_TRUE(db().scalar(QStringLiteral("select Pech from porychka where idPor = 12")).isNull());
}

TEST_P(SettlementDb, PaymentFailingHalfWayLeavesNothing)
{
    const qint64 firm =
        db().insert(QStringLiteral("firms"), {{QStringLiteral("Name"), QStringLiteral("Фирма")}});
    order(13, QStringLiteral("Фирма"));
    db().insert(
        QStringLiteral("protokol_ka"),
        {{QStringLiteral("idPor"), 13}, {QStringLiteral("ProtNo"), 2}, {QStringLiteral("closed"), false}});
    // The last posting cannot be written: the whole payment must go.
    db().dropTable(QStringLiteral("payNoFact"));
    PaymentInput in;
    in.idPor = 13;
    in.amounts.trudClient = 30;
    in.amounts.taksa = 10;
    in.amounts.suma = 40;
    in.firmId = int(firm);
    in.clientName = QStringLiteral("Фирма");
    in.today = kToday;
    EXPECT_THROW(payOrder(db(), in), data::DbError);
    EXPECT_FALSE(loadOrderRecord(db(), 13)->payed);
    EXPECT_FALSE(db().scalar(QStringLiteral("select closed from protokol_ka")).toBool());
    EXPECT_EQ(count(QStringLiteral("pech")), 0);
    EXPECT_EQ(count(QStringLiteral("kasa")), 0);
}

MORLENTA_ON_BOTH_ENGINES(SettlementDb);
