#include "orders/order_work.h"

#include "data/database.h"
#include "support/db_fixture.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;

class WorkLinesDb : public DbTest {
protected:
    OperationChoice op(const QString &code, double client, double worker)
    {
        const int id =
            int(db().insert(QStringLiteral("Operations"), {{QStringLiteral("Code"), code},
                                                           {QStringLiteral("Operation"), code},
                                                           {QStringLiteral("clientPrice"), client},
                                                           {QStringLiteral("warrantyPrice"), 2.0},
                                                           {QStringLiteral("workerPrice"), worker},
                                                           {QStringLiteral("fromGarant"), client / 2}}));
        return {id, code, code, {client, 2, worker, client / 2}};
    }
    QList<double> shares()
    {
        QList<double> list;
        for (const WorkLine &w : workLines(db(), 1))
            list << w.pr2;
        return list;
    }
};

TEST_P(WorkLinesDb, FixedShareOfPayModeThreeStaysOnTheFirstLine)
{
    const PayRule rule{3, 7, 4};
    addWorkLine(db(), 1, op(QStringLiteral("A"), 30, 10), Basis::Paid, rule, 0);
    const WorkLine second = addWorkLine(db(), 1, op(QStringLiteral("B"), 20, 5), Basis::Paid, rule, 0);
    EXPECT_EQ(shares(), (QList<double>{7, 0}));
    EXPECT_EQ(second.trud, QStringLiteral("код: B - B"));
    removeWorkLine(db(), 1, workLines(db(), 1).first().id, Basis::Paid, rule);
    EXPECT_EQ(shares(), QList<double>{7});
    EXPECT_DOUBLE_EQ(lineSums(db(), 1).trudClient, 20.0);
}

TEST_P(WorkLinesDb, RepricingFollowsTheBasisAndDropsLinesOfLostOperations)
{
    const PayRule percent{2, 0, 0};
    const OperationChoice a = op(QStringLiteral("A"), 30, 10);
    addWorkLine(db(), 1, a, Basis::Paid, percent, 50);
    EXPECT_EQ(shares(), QList<double>{15});
    // Own warranty: nothing charged and, by percent, nothing earned.
    LineSums own = repriceLines(db(), 1, Basis::Own, percent, 50, {});
    EXPECT_DOUBLE_EQ(own.trudClient, 0.0);
    EXPECT_DOUBLE_EQ(own.trudClerk, 0.0);
    // A new technician's percent in pay mode 2 (warrantor's warranty: from what the warrantor pays).
    const LineSums giver = reshareLines(db(), 1, Basis::Giver, 40);
    EXPECT_DOUBLE_EQ(giver.trudClerk, 6.0);
    db().execute(QStringLiteral("delete from Operations where id = ?"), {a.id});
    const LineSums lost = repriceLines(db(), 1, Basis::Paid, percent, 50, {});
    EXPECT_TRUE(lost.missingOperation);
    EXPECT_TRUE(workLines(db(), 1).isEmpty());
}

MORLENTA_ON_BOTH_ENGINES(WorkLinesDb);
