#include "orders/order_register.h"

#include "common/labels.h"
#include "data/database.h"
#include "orders/external_dispatch.h"
#include "orders/order_intake.h"
#include "orders/symptoms.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

const QDate kToday(2026, 12, 11);

} // namespace

TEST(Register, ReadyListsAndTheirDescriptions)
{
    FakePrompt prompt;
    const QDate from(2026, 12, 1), to(2026, 12, 10);
    struct Case {
        ReadyList list;
        QDate from, to;
        const char *condition;
        const char *description;
    };
    const Case cases[] = {
        {ReadyList::Open, {}, {}, "ready = false", "Неотчетени (неизпълнени) ремонти"},
        {ReadyList::Overdue,
         {},
         {},
         "ready = false and EndDate <= ?",
         "Всички неотчетени поръчки с изтекъл срок на ремонт"},
        {ReadyList::ReadyUnpaid,
         {},
         {},
         "ready = true and payed = false",
         "Всички готови, но непредадени поръчки"},
        {ReadyList::TakenIn, from, to, "PorDate >= ? and PorDate <= ?",
         "Приети уреди през периода 01.12.2026 - 10.12.2026"},
        {ReadyList::TakenIn, {}, to, "PorDate <= ?", "Приети уреди до дата 10.12.2026"},
        {ReadyList::Finished, from, {}, "readyDate >= ?", "Извършени ремонти след 01.12.2026"},
        {ReadyList::Paid, from, to, "payDate >= ? and payDate <= ?",
         "Платени ремонти през периода 01.12.2026 - 10.12.2026"},
    };
    for (const Case &c : cases) {
        const auto q = readyListQuery(c.list, c.from, c.to, kToday, prompt);
        ASSERT_TRUE(q);
        EXPECT_EQ(q->condition, QLatin1String(c.condition));
        EXPECT_EQ(q->description, QString::fromUtf8(c.description));
    }
    EXPECT_TRUE(prompt.records().isEmpty());

    prompt.expectQuestion(QStringLiteral("Не сте задали дати за търсене"), PromptAnswer::No);
    EXPECT_FALSE(readyListQuery(ReadyList::Paid, {}, {}, kToday, prompt));
    prompt.expectQuestion(QStringLiteral("всички ремонти от началото"), PromptAnswer::Yes);
    const auto all = readyListQuery(ReadyList::Finished, {}, {}, kToday, prompt);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->sql(), QStringLiteral("select * from porychka"));
    EXPECT_EQ(all->description, QString());
}

TEST(Register, CommandsFollowTheCurrentOrder)
{
    struct Case {
        bool ready, payed;
        int state;
        const char *kind;
        bool complete, readyCard, waitParts, pay, sendOut;
    };
    const Case cases[] = {
        {false, false, 1, "REP", true, false, true, false, true},
        {false, false, 2, "REP", true, false, false, false, true},
        {false, false, 1, "MON", true, false, true, false, false},
        {false, false, 1, "PRO", true, false, true, false, false},
        {true, false, 3, "REP", false, true, false, true, false},
        {true, true, 3, "REP", false, true, false, false, false},
    };
    for (const Case &c : cases) {
        const OrderCommands o = orderCommands(c.ready, c.payed, c.state, QLatin1String(c.kind));
        EXPECT_EQ(o.complete, c.complete);
        EXPECT_EQ(o.readyCard, c.readyCard);
        EXPECT_EQ(o.waitParts, c.waitParts);
        EXPECT_EQ(o.pay, c.pay);
        EXPECT_EQ(o.sendOut, c.sendOut);
        EXPECT_EQ(o.noteEditable, c.sendOut);
    }
}

TEST(Register, PeriodCorrectionsAndTheWaitingNote)
{
    QDate from(2026, 12, 20), to(2026, 12, 5);
    correctPeriod(from, to, true, kToday);
    EXPECT_EQ(from, kToday); // not after today
    EXPECT_EQ(to, kToday);   // not before the start
    from = QDate(2026, 12, 9);
    to = QDate(2027, 1, 1);
    correctPeriod(from, to, false, kToday);
    EXPECT_EQ(to, kToday);
    EXPECT_EQ(from, QDate(2026, 12, 9));
    to = QDate(2026, 12, 1);
    correctPeriod(from, to, false, kToday);
    EXPECT_EQ(from, to);

    EXPECT_EQ(waitingNote(QString(), QStringLiteral("Мария"), kToday),
              QStringLiteral("Чака части, 11.12.2026 - Мария"));
    EXPECT_EQ(waitingNote(QStringLiteral(" Спешно "), QStringLiteral("Мария"), kToday),
              QStringLiteral("Спешно\r\nЧака части, 11.12.2026 - Мария"));
    EXPECT_EQ(
        symptomDefectLine({0, QStringLiteral("Не светва"), QStringLiteral("Nokia"), QStringLiteral("A1")}),
        QStringLiteral("Не светва, група: Nokia, код: A1;"));
    EXPECT_EQ(symptomDefectLine({0, QStringLiteral("Не светва"), QString(), QString()}),
              QStringLiteral("Не светва;"));
}

class RegisterDb : public DbTest {
protected:
    qint64 add(const QString &client, const QString &serial, int clerk = 0)
    {
        IntakeInput in;
        in.clientName = client;
        in.clientAddress = QStringLiteral("ул. 'Роза' 10%");
        in.clientPhones = QStringLiteral("0888 555 111");
        in.article = QStringLiteral("GSM");
        in.brand = QStringLiteral("Nokia");
        in.model = QStringLiteral("3310");
        in.serial = serial;
        in.clerkId = clerk;
        in.returnDate = kToday;
        return OrderIntake(db()).save(in, 0, kToday, QTime(9, 0)).number;
    }
    QList<qint64> found(const RegisterQuery &q)
    {
        QList<qint64> ids;
        QSqlQuery r = db().exec(q.sql() + QStringLiteral(" order by idPor"), q.params);
        while (r.next())
            ids << r.value(QStringLiteral("idPor")).toLongLong();
        return ids;
    }
    int clerk(const QString &name, bool active)
    {
        return int(db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), name},
                                                          {QStringLiteral("Active"), active},
                                                          {QStringLiteral("worker"), 0}}));
    }
    FakePrompt prompt;
};

TEST_P(RegisterDb, CriteriaSearchFindsExactlyWhatItSays)
{
    const qint64 ivan = add(QStringLiteral("ИВАН Петров"), QStringLiteral("SN-100"));
    const qint64 oneil = add(QStringLiteral("Д'Арк 50% *ООД*"), QStringLiteral("SN-200"));
    add(QStringLiteral("Мария"), QStringLiteral("XYZ"));
    struct Case {
        const char *name;
        const char *serial;
        QList<qint64> ids;
        const char *description;
    };
    const Case cases[] = {
        {"иван", "", {ivan}, "Kлиент съдържа \"иван\""},
        {"Д'Ар", "", {oneil}, "Kлиент съдържа \"Д'Ар\""},
        {"50% *", "", {oneil}, "Kлиент съдържа \"50% *\""},
        {"", "sn-1", {ivan}, "Сериен номер съдържа \"sn-1\""},
        {"Петр", "SN-2", {}, "Kлиент съдържа \"Петр\" и Сериен номер съдържа \"SN-2\""},
        {" Ива ", "SN-100", {ivan}, "Сериен номер съдържа \"SN-100\""}, // three letters do not count
    };
    for (const Case &c : cases) {
        RegisterCriteria crit;
        crit.clientName = QString::fromUtf8(c.name);
        crit.serial = QString::fromUtf8(c.serial);
        const auto q = criteriaQuery(db(), crit, prompt);
        ASSERT_TRUE(q) << c.name;
        EXPECT_EQ(found(*q), c.ids) << c.name;
        EXPECT_EQ(q->description, QString::fromUtf8(c.description));
    }
    RegisterCriteria shortOnly;
    shortOnly.clientName = QStringLiteral("Ива");
    EXPECT_FALSE(criteriaQuery(db(), shortOnly, prompt));
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Не сте задали критерий за търсене!"));

    // The number is the only criterion.
    RegisterCriteria number;
    number.number = QString::number(oneil);
    number.clientName = QStringLiteral("ИВАН");
    const auto byNumber = criteriaQuery(db(), number, prompt);
    ASSERT_TRUE(byNumber);
    EXPECT_EQ(found(*byNumber), QList<qint64>{oneil});
    EXPECT_EQ(byNumber->description, QStringLiteral("Номер на поръчка: ") + QString::number(oneil));
}

TEST_P(RegisterDb, LeftTechnicianIsListedAndSearchedById)
{
    const int left = clerk(QStringLiteral("Стоян"), false);
    const int active = clerk(QStringLiteral("Петя"), true);
    const qint64 a = add(QStringLiteral("Клиент Едно"), QStringLiteral("A1"), left);
    add(QStringLiteral("Клиент Две"), QStringLiteral("A2"), active);
    QString listed;
    for (const RegisterTechnician &t : registerTechnicians(db()))
        if (t.id == left)
            listed = t.listed;
    EXPECT_EQ(listed, QStringLiteral("Стоян - напуснал"));
    RegisterCriteria c;
    c.technicianId = left;
    c.technicianListed = listed;
    c.warrantyIndex = 1;
    c.warrantyText = QStringLiteral("Негаранционен ремонт");
    c.from = kToday;
    const auto q = criteriaQuery(db(), c, prompt);
    ASSERT_TRUE(q);
    EXPECT_EQ(found(*q), QList<qint64>{a});
    EXPECT_EQ(q->description,
              QStringLiteral("Техник: Стоян - напуснал и Гаранция: Негаранционен ремонт и след дата "
                             "11.12.2026"));
}

TEST_P(RegisterDb, ReadyListsSelectByFlagsAndDates)
{
    const qint64 open = add(QStringLiteral("Отворена"), QStringLiteral("S1"));
    const qint64 ready = add(QStringLiteral("Готова"), QStringLiteral("S2"));
    const qint64 paid = add(QStringLiteral("Платена"), QStringLiteral("S3"));
    db().execute(QStringLiteral("update porychka set ready = ?, readyDate = ? where idPor in (?, ?)"),
                 {true, kToday, ready, paid});
    db().execute(QStringLiteral("update porychka set payed = ?, payDate = ? where idPor = ?"),
                 {true, kToday, paid});
    db().execute(QStringLiteral("update porychka set EndDate = ? where idPor = ?"),
                 {kToday.addDays(-1), open});
    auto list = [&](ReadyList l, QDate today = kToday) {
        return found(*readyListQuery(l, kToday, kToday, today, prompt));
    };
    EXPECT_EQ(list(ReadyList::Open), QList<qint64>{open});
    EXPECT_EQ(list(ReadyList::Overdue), QList<qint64>{open});
    EXPECT_EQ(list(ReadyList::Overdue, kToday.addDays(-2)), QList<qint64>{});
    EXPECT_EQ(list(ReadyList::ReadyUnpaid), QList<qint64>{ready});
    EXPECT_EQ(list(ReadyList::TakenIn), (QList<qint64>{open, ready, paid}));
    EXPECT_EQ(list(ReadyList::Finished), (QList<qint64>{ready, paid}));
    EXPECT_EQ(list(ReadyList::Paid), QList<qint64>{paid});
}

TEST_P(RegisterDb, WaitingForPartsAndDispatches)
{
    const qint64 id = add(QStringLiteral("Клиент"), QStringLiteral("S1"), 1);
    markWaitingForParts(db(), id, QStringLiteral("Администратор"), kToday);
    QSqlQuery q = db().exec(QStringLiteral("select por_note, porState from porychka where idPor = ?"), {id});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Чака части, 11.12.2026 - Администратор"));
    EXPECT_EQ(q.value(1).toInt(), int(StateWaitingParts));

    EXPECT_FALSE(dispatchRefusal(db(), id));
    releaseIdleTechnician(db(), id); // no work, no part: the technician goes
    EXPECT_EQ(db().scalar(QStringLiteral("select idClerk from porychka where idPor = ?"), {id}).toInt(), 0);

    EXPECT_EQ(recordDispatch(db(), id, {QStringLiteral("  "), QString(), true, true}, kToday),
              QStringLiteral("Въведете името на сервиза!"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from externals")).toInt(), 0);
    EXPECT_FALSE(recordDispatch(
        db(), id, {QStringLiteral(" Сервиз 'Юг' "), QStringLiteral(" Пловдив "), true, true}, kToday));
    EXPECT_EQ(otherServices(db()), QStringList{QStringLiteral("Сервиз 'Юг'")});
    EXPECT_EQ(otherServiceAddress(db(), QStringLiteral("Сервиз 'Юг'")), QStringLiteral("Пловдив"));
    EXPECT_EQ(*dispatchRefusal(db(), id),
              QStringLiteral("Тази поръчка е изпратена в Сервиз 'Юг' и не е върната!"));
    // Back without success: it may go out again, and the work text grows.
    db().execute(QStringLiteral("update externals set back = ? where idPor = ?"), {true, id});
    EXPECT_FALSE(dispatchRefusal(db(), id));
    EXPECT_FALSE(recordDispatch(db(), id, {QStringLiteral("Друг"), QString(), true, true}, kToday));
    EXPECT_EQ(db().scalar(QStringLiteral("select Trud from porychka where idPor = ?"), {id}).toString(),
              QStringLiteral("Изпратена към Сервиз 'Юг'\r\nИзпратена към Друг"));
    EXPECT_EQ(db().scalar(QStringLiteral("select porState from porychka where idPor = ?"), {id}).toInt(),
              int(StateExternal));
    // Only the latest row decides: the second came back repaired.
    db().execute(QStringLiteral("update externals set back = ?, success = ? where Contragent = ?"),
                 {true, true, QStringLiteral("Друг")});
    EXPECT_EQ(*dispatchRefusal(db(), id), QStringLiteral("Друг е върнал уреда в изправност!"));
}

TEST_P(RegisterDb, WarrantorIsTheFixedTargetOfAWarrantyOrder)
{
    db().insert(QStringLiteral("delivers"), {{QStringLiteral("Name"), QStringLiteral("Гарант")},
                                             {QStringLiteral("Info"), QStringLiteral("Варна")},
                                             {QStringLiteral("Garant"), true}});
    const DispatchTarget known = dispatchTarget(db(), WarrGiver, QStringLiteral("Гарант"));
    EXPECT_EQ(known.name, QStringLiteral("Гарант"));
    EXPECT_EQ(known.address, QStringLiteral("Варна"));
    EXPECT_FALSE(known.editable);
    const DispatchTarget unknown = dispatchTarget(db(), WarrGiver, QStringLiteral("Няма го"));
    EXPECT_TRUE(unknown.editable);
    EXPECT_FALSE(unknown.offerList);
    EXPECT_TRUE(dispatchTarget(db(), WarrPaid, QString()).offerList);
}

TEST_P(RegisterDb, SymptomsAreTrimmedAndNeedADescription)
{
    Symptom s{0, QStringLiteral("  "), QStringLiteral("Nokia"), QString()};
    EXPECT_EQ(saveSymptom(db(), s), QStringLiteral("Полето за описание на симптома не може да бъде празно!"));
    s.description = QStringLiteral(" Не зарежда ");
    s.codeAdd = QStringLiteral(" Z9 ");
    EXPECT_FALSE(saveSymptom(db(), s));
    EXPECT_GT(s.id, 0);
    QSqlQuery q = db().exec(QStringLiteral("select Description, code_add, Value from Sympt_Codes"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("Не зарежда"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("Z9"));
    EXPECT_EQ(q.value(2).toDouble(), 0.0);
    deleteSymptom(db(), s.id);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Sympt_Codes")).toInt(), 0);
}

MORLENTA_ON_BOTH_ENGINES(RegisterDb);
