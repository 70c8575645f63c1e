#include "orders/order_intake.h"

#include "common/labels.h"
#include "data/database.h"
#include "support/db_fixture.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;

namespace {

const QDate kToday(2026, 12, 11);

IntakeInput complete()
{
    IntakeInput in;
    in.number = 1;
    in.clientName = QStringLiteral("  Иван О'Нийл ");
    in.clientAddress = QStringLiteral("София, ул. \"Шипка\" 5");
    in.clientPhones = QStringLiteral("0888 123 456");
    in.article = QStringLiteral("GSM");
    in.brand = QStringLiteral("Nokia");
    in.model = QStringLiteral("3310");
    in.serial = QStringLiteral(" 35-ABC ");
    in.accessories = QStringLiteral("зарядно 100%");
    in.defect = QStringLiteral("не звъни *");
    in.returnDate = kToday.addDays(2);
    return in;
}

} // namespace

TEST(Intake, ChecksComeInTheirOrderWithTheirMessages)
{
    struct Case {
        std::function<void(IntakeInput &)> spoil;
        IntakeField field;
        const char *message;
    };
    const Case cases[] = {
        {[](IntakeInput &i) {
             i.clientName = QStringLiteral("   ");
             i.clientAddress.clear();
         },
         IntakeField::ClientName, "Трябва да въведете имената на клиента!"},
        {[](IntakeInput &i) { i.clientAddress = QStringLiteral(" "); }, IntakeField::Address,
         "Трябва да въведете адреса на клиента!"},
        {[](IntakeInput &i) { i.clientPhones.clear(); }, IntakeField::Phone,
         "Трябва да въведете телефон на клиента!"},
        {[](IntakeInput &i) { i.article.clear(); }, IntakeField::Article, "Трябва да въведете артикул!"},
        {[](IntakeInput &i) { i.brand.clear(); }, IntakeField::Brand, "Трябва да въведете марка!"},
        {[](IntakeInput &i) { i.model.clear(); }, IntakeField::Model, "Трябва да въведете модела!"},
        {[](IntakeInput &i) { i.serial = QStringLiteral("  "); }, IntakeField::Serial,
         "Трябва да въведете серийния номер!"},
        {[](IntakeInput &i) {
             i.fiscalEnabled = true;
             i.taxAdmin.clear();
         },
         IntakeField::Fiscal, "Трябва да въведете номера на фискалната памет!"},
        {[](IntakeInput &i) {
             i.fiscalEnabled = true;
             i.fiscal = QStringLiteral("DT123");
         },
         IntakeField::TaxAdmin, "Трябва да въведете данъчната служба!"},
    };
    for (const Case &c : cases) {
        IntakeInput in = complete();
        c.spoil(in);
        const auto problem = checkIntake(in);
        ASSERT_TRUE(problem) << c.message;
        EXPECT_EQ(problem->field, c.field);
        EXPECT_EQ(problem->message, QString::fromUtf8(c.message));
    }
    IntakeInput in = complete();
    EXPECT_FALSE(checkIntake(in));
    EXPECT_EQ(in.clientName, QStringLiteral("Иван О'Нийл")); // trimmed in place
    EXPECT_EQ(in.serial, QStringLiteral("35-ABC"));
}

TEST(Intake, KeyRulesDatesAndTheCashRegister)
{
    EXPECT_TRUE(isCashRegister(QStringLiteral("КАСОВ АПАРАТ")));
    EXPECT_FALSE(isCashRegister(QStringLiteral("касов апарат")));
    EXPECT_FALSE(isCashRegister(QStringLiteral("КАСОВ АПАРАТ ")));
    for (QChar c : QStringLiteral("09azAZ-"))
        EXPECT_TRUE(serialCharAllowed(c)) << int(c.unicode());
    for (QChar c : QStringLiteral(" Жж_/."))
        EXPECT_FALSE(serialCharAllowed(c)) << int(c.unicode());
    EXPECT_TRUE(taxOfficeCharAllowed(QChar(u'Ж')));
    EXPECT_TRUE(taxOfficeCharAllowed(QChar(u' ')));
    EXPECT_FALSE(taxOfficeCharAllowed(QChar(u'1')));
    EXPECT_FALSE(taxOfficeCharAllowed(QChar(u'W')));
    EXPECT_EQ(returnDateFor(0, kToday), kToday.addDays(2));
    EXPECT_EQ(returnDateFor(2, kToday), kToday);
    EXPECT_EQ(returnDateFor(3, kToday), kToday); // never before today
}

class IntakeDb : public DbTest {
protected:
    QSqlRecord order(qint64 number)
    {
        QSqlQuery q = db().exec(QStringLiteral("select * from porychka where idPor = ?"), {number});
        EXPECT_TRUE(q.next()) << number;
        return q.record();
    }
};

TEST_P(IntakeDb, SavesEveryColumnExactlyAsTyped)
{
    OrderIntake intake(db());
    EXPECT_FALSE(intake.proposedNumber()); // empty: the start number is asked
    IntakeInput in = complete();
    in.number = 500;
    in.defect = QString(10000, QChar(u'Щ'));
    in.clerkId = 4;
    in.warrantyBasis = 2;
    in.warrantor = QStringLiteral("Гарант ООД");
    in.priority = 1;
    in.note = QStringLiteral("бележка ' \" % *");
    ASSERT_FALSE(checkIntake(in));
    const IntakeResult r = intake.save(in, 0, kToday, QTime(10, 0));
    EXPECT_EQ(r.number, 500);
    EXPECT_EQ(r.protocolNumber, 0);
    const QSqlRecord o = order(500);
    EXPECT_EQ(o.value(QStringLiteral("PorDate")).toDate(), kToday);
    EXPECT_EQ(o.value(QStringLiteral("clientNames")).toString(), QStringLiteral("Иван О'Нийл"));
    EXPECT_EQ(o.value(QStringLiteral("clientAdres")).toString(), in.clientAddress);
    EXPECT_EQ(o.value(QStringLiteral("Defect")).toString().size(), 10000);
    EXPECT_EQ(o.value(QStringLiteral("Aks")).toString(), QStringLiteral("зарядно 100%"));
    EXPECT_EQ(o.value(QStringLiteral("por_note")).toString(), in.note);
    EXPECT_EQ(o.value(QStringLiteral("idClerk")).toInt(), 4);
    EXPECT_EQ(o.value(QStringLiteral("TypeWarr")).toInt(), 2);
    EXPECT_EQ(o.value(QStringLiteral("WarName")).toString(), QStringLiteral("Гарант ООД"));
    EXPECT_EQ(o.value(QStringLiteral("Priority")).toInt(), 1);
    EXPECT_EQ(o.value(QStringLiteral("EndDate")).toDate(), kToday.addDays(2));
    EXPECT_EQ(o.value(QStringLiteral("codeGet")).toString(), QStringLiteral("REP"));
    EXPECT_EQ(o.value(QStringLiteral("porState")).toInt(), 1);
    EXPECT_EQ(o.value(QStringLiteral("TimeVisit")).toString(), QStringLiteral(" "));
    EXPECT_FALSE(o.value(QStringLiteral("ready")).toBool());
    EXPECT_FALSE(o.value(QStringLiteral("payed")).toBool());
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from homevisit")).toInt(), 0);
    EXPECT_EQ(intake.proposedNumber(), 501);
}

TEST_P(IntakeDb, NumberTakenMeanwhileBecomesHighestPlusOne)
{
    OrderIntake intake(db());
    IntakeInput first = complete();
    first.number = 7;
    intake.save(first, 0, kToday, QTime(9, 0));
    const qint64 proposed = *intake.proposedNumber();
    ASSERT_EQ(proposed, 8);
    // Another computer saves number 8, and then 9, before this one saves.
    auto other = openAnother();
    OrderIntake elsewhere(*other);
    for (qint64 n : {8, 9}) {
        IntakeInput o = complete();
        o.number = n;
        elsewhere.save(o, 0, kToday, QTime(9, 1));
    }
    IntakeInput mine = complete();
    mine.number = proposed;
    EXPECT_EQ(intake.save(mine, 0, kToday, QTime(9, 2)).number, 10);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from porychka")).toInt(), 4);
}

TEST_P(IntakeDb, CashRegisterGetsAProtocolDatedTomorrow)
{
    OrderIntake intake(db());
    EXPECT_TRUE(intake.protocolStartNeeded());
    IntakeInput in = complete();
    in.article = cashRegisterArticle();
    in.fiscalEnabled = true;
    in.fiscal = QStringLiteral(" DT-00012 ");
    in.taxAdmin = QStringLiteral(" Средец ");
    ASSERT_FALSE(checkIntake(in));
    const IntakeResult r = intake.save(in, 120, kToday, QTime(14, 30));
    EXPECT_EQ(r.protocolNumber, 120); // the start number of the first protocol
    QSqlQuery q = db().exec(
        QStringLiteral("select idPor, DateEnd, TimeEnd, ProtNo, TaxAdmin, closed from protokol_ka"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), r.number);
    EXPECT_EQ(q.value(1).toDate(), kToday.addDays(1));
    EXPECT_EQ(q.value(2).toTime(), QTime(14, 30));
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("Средец"));
    EXPECT_FALSE(q.value(5).toBool());
    EXPECT_FALSE(intake.protocolStartNeeded());
    in.number = 0;
    EXPECT_EQ(intake.save(in, 999, kToday, QTime(15, 0)).protocolNumber, 121); // later: highest + 1
}

TEST_P(IntakeDb, VisitAtTheClientsAddressBooksTheHomeVisit)
{
    OrderIntake intake(db());
    IntakeInput in = complete();
    in.place = 1;
    in.partOfDay = QStringLiteral("следобед");
    in.clerkId = 3;
    in.returnDate = QDate(2026, 12, 14);
    const IntakeResult r = intake.save(in, 0, kToday, QTime(8, 0));
    EXPECT_EQ(order(r.number).value(QStringLiteral("TimeVisit")).toString(),
              QStringLiteral("14.12.2026, следобед"));
    QSqlQuery q = db().exec(QStringLiteral(
        "select DateVisit, ClientName, visited, idContract, idClerk, field1, AMPM, Notes from homevisit"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDate(), QDate(2026, 12, 14));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("  Иван О'Нийл ")); // as given: the window trims first
    EXPECT_FALSE(q.value(2).toBool());
    EXPECT_EQ(q.value(3).toInt(), 0);
    EXPECT_EQ(q.value(4).toInt(), 3);
    EXPECT_EQ(q.value(5).toString(), QString::number(r.number));
    EXPECT_EQ(q.value(6).toString(), QStringLiteral("следобед"));
    EXPECT_EQ(q.value(7).toString(), QString());
}

TEST_P(IntakeDb, SendingOnDropsTheTechnicianAndBooksNoVisit)
{
    OrderIntake intake(db());
    IntakeInput in = complete();
    in.clerkId = 5;
    in.sendOn = true;
    const IntakeResult r = intake.save(in, 0, kToday, QTime(8, 0));
    EXPECT_EQ(order(r.number).value(QStringLiteral("idClerk")).toInt(), 0);
}

TEST_P(IntakeDb, ListsAndAddedArticlesBrandsAndModels)
{
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Георги")},
                                           {QStringLiteral("Active"), true},
                                           {QStringLiteral("worker"), 0}});
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Напуснал")},
                                           {QStringLiteral("Active"), false},
                                           {QStringLiteral("worker"), 0}});
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Работник")},
                                           {QStringLiteral("Active"), true},
                                           {QStringLiteral("worker"), 1}});
    db().insert(QStringLiteral("delivers"),
                {{QStringLiteral("Name"), QStringLiteral("Доставчик")}, {QStringLiteral("Garant"), false}});
    db().insert(QStringLiteral("delivers"),
                {{QStringLiteral("Name"), QStringLiteral("Гарант")}, {QStringLiteral("Garant"), true}});
    OrderIntake intake(db());
    QStringList names;
    for (const Technician &t : intake.technicians())
        names << t.name;
    // The administrator of a new database is an active clerk too.
    EXPECT_TRUE(names.contains(QStringLiteral("Георги")));
    EXPECT_FALSE(names.contains(QStringLiteral("Напуснал")));
    EXPECT_FALSE(names.contains(QStringLiteral("Работник")));
    EXPECT_EQ(intake.warrantors(), QStringList{QStringLiteral("Гарант")});

    EXPECT_FALSE(intake.hasBrand(QStringLiteral("Nokia")));
    intake.addBrand(QStringLiteral("Nokia"));
    intake.addBrand(QStringLiteral("Sony"));
    intake.addModel(QStringLiteral("Nokia"), QStringLiteral("3310"));
    intake.addModel(QStringLiteral("Sony"), QStringLiteral("Z1"));
    intake.addArticle(QStringLiteral("Телефон 'смарт'"));
    EXPECT_TRUE(intake.hasArticle(QStringLiteral("Телефон 'смарт'")));
    EXPECT_TRUE(intake.hasModel(QStringLiteral("3310")));
    EXPECT_EQ(intake.models(QStringLiteral("Nokia")), QStringList{QStringLiteral("3310")});
    EXPECT_EQ(intake.models(QStringLiteral("Непозната")),
              (QStringList{QStringLiteral("3310"), QStringLiteral("Z1")}));
}

TEST_P(IntakeDb, PreviousRepairsReportTheDeviceAlsoUnderItsOldSerial)
{
    OrderIntake intake(db());
    IntakeInput in = complete();
    in.serial = QStringLiteral("OLD1");
    in.number = 11;
    ASSERT_FALSE(checkIntake(in));
    intake.save(in, 0, kToday, QTime(8, 0));
    EXPECT_EQ(previousRepairs(db(), in.article, in.brand, in.model, QStringLiteral("NEW1")).size(), 2);
    db().execute(
        QStringLiteral("update porychka set readyDate = ?, porState = 3, TypeWarr = 2, WarName = null "
                       "where idPor = 11"),
        {QDate(2026, 12, 12)});
    db().insert(QStringLiteral("replaceSN"), {{QStringLiteral("idPor"), 11},
                                              {QStringLiteral("oldSN"), QStringLiteral("OLD1")},
                                              {QStringLiteral("newSN"), QStringLiteral("NEW1")}});
    // A replacement whose order is gone adds nothing.
    db().insert(QStringLiteral("replaceSN"), {{QStringLiteral("idPor"), 99},
                                              {QStringLiteral("oldSN"), QStringLiteral("NEW1")},
                                              {QStringLiteral("newSN"), QStringLiteral("X")}});
    const QStringList lines = previousRepairs(db(), in.article, in.brand, in.model, QStringLiteral("NEW1"));
    const QString title = QStringLiteral("Предишни ремонти на GSM Nokia 3310; сер. номер NEW1");
    const QString rule(title.size(), QLatin1Char('='));
    const QStringList expected = {
        title,
        rule,
        QStringLiteral("Поръчка №: 11"),
        QStringLiteral("GSM Nokia 3310; сер. номер OLD1"),
        QStringLiteral("Приета: 11.12.2026; Готова: 12.12.2026; Издадена: "),
        QStringLiteral("Дефект: не звъни *"),
        QStringLiteral("Клиент :Иван О'Нийл"),
        QStringLiteral("Външна гаранция"),
        QStringLiteral("Статус: Поправена"),
        QStringLiteral("Стар сериeн номер: OLD1; нов сериен номер: NEW1"),
        rule,
    };
    EXPECT_EQ(lines, expected);
    const QStringList direct = previousRepairs(db(), in.article, in.brand, in.model, QStringLiteral("OLD1"));
    ASSERT_GE(direct.size(), 10);
    EXPECT_EQ(direct[6], QStringLiteral("Клиент: Иван О'Нийл"));
}

MORLENTA_ON_BOTH_ENGINES(IntakeDb);
