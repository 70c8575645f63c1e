#include "stock/serial_search.h"
#include "stock/serial_stock.h"
#include "stock/stock_quantity.h"

#include "data/transaction.h"
#include "support/db_fixture.h"
#include "tests/stock/stock_fixture.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::stock;
using morlenta::test::DbTest;

namespace {

class SerialTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        const qint64 type = test::addType(db(), QStringLiteral("Телефон"));
        const qint64 brand = test::addBrand(db(), QStringLiteral("Нокия"));
        phone = test::addPart(db(), QStringLiteral("Нокия 3310"), type, brand, {}, 2);
        plain = test::addPart(db(), QStringLiteral("Калъф"), type, brand, {}, 5);
    }
    QStringList listed(const QString &text)
    {
        const Statement s = serialListStatement(db(), text);
        QStringList out;
        QSqlQuery q = db().exec(s.sql, s.params);
        while (q.next())
            out << q.value(QStringLiteral("SN")).toString();
        return out;
    }
    qint64 phone = 0, plain = 0;
};

} // namespace

TEST_P(SerialTest, PiecesComeAndGoWithTheirQuantity)
{
    SerialStock sn(db());
    EXPECT_FALSE(sn.hasSerials(phone));
    EXPECT_TRUE(sn.add(phone, QStringLiteral(" 356938035643809 ")));
    EXPECT_TRUE(sn.add(phone, QStringLiteral("356938035643817")));
    EXPECT_FALSE(sn.add(plain, QStringLiteral("356938035643809"))) << "a serial number is one piece";
    EXPECT_FALSE(sn.add(plain, QStringLiteral("  ")));
    EXPECT_TRUE(sn.hasSerials(phone));
    EXPECT_FALSE(sn.hasSerials(plain));
    EXPECT_EQ(sn.serialsOf(phone),
              (QStringList{QStringLiteral("356938035643809"), QStringLiteral("356938035643817")}));
    ASSERT_TRUE(sn.find(QStringLiteral("356938035643817")).has_value());
    EXPECT_EQ(sn.find(QStringLiteral("356938035643817"))->idPart, phone);

    EXPECT_FALSE(sn.takePiece(plain, QStringLiteral("356938035643809"))) << "not this article's serial";
    EXPECT_TRUE(sn.takePiece(phone, QStringLiteral("356938035643809")));
    EXPECT_EQ(inStock(db(), phone), 1);
    EXPECT_FALSE(sn.find(QStringLiteral("356938035643809")).has_value());
    EXPECT_FALSE(sn.takePiece(phone, QStringLiteral("356938035643809"))) << "already gone";
    EXPECT_EQ(inStock(db(), phone), 1);

    // A serial without a piece of quantity behind it: both stay as they were.
    ASSERT_TRUE(takeFromStock(db(), phone, 1));
    EXPECT_FALSE(sn.takePiece(phone, QStringLiteral("356938035643817")));
    EXPECT_TRUE(sn.find(QStringLiteral("356938035643817")).has_value());
    EXPECT_EQ(inStock(db(), phone), 0);

    EXPECT_TRUE(sn.returnPiece(phone, QStringLiteral("356938035643809")));
    EXPECT_FALSE(sn.returnPiece(phone, QStringLiteral("356938035643809"))) << "in stock already";
    EXPECT_EQ(inStock(db(), phone), 1);
    EXPECT_EQ(sn.serialsOf(phone).size(), 2);
}

TEST_P(SerialTest, AFailedCheckInsideALargerActionLetsItGoOn)
{
    SerialStock sn(db());
    ASSERT_TRUE(sn.add(phone, QStringLiteral("AAA111")));
    data::Transaction tx(db());
    EXPECT_FALSE(sn.add(plain, QStringLiteral("AAA111")));
    EXPECT_FALSE(sn.remove(plain, QStringLiteral("AAA111")));
    EXPECT_TRUE(sn.add(plain, QStringLiteral("BBB222")));
    EXPECT_NO_THROW(tx.commit());
    EXPECT_EQ(sn.serialsOf(plain), QStringList{QStringLiteral("BBB222")});
}

TEST_P(SerialTest, SearchFindsSerialsContainingTheText)
{
    SerialStock sn(db());
    for (const char *s : {"ABC-100", "xabc-200", "Q50%Z", "ZZZ"})
        ASSERT_TRUE(sn.add(phone, QString::fromLatin1(s)));
    db().execute(QStringLiteral("update PartSN set SN2 = 'ABC-SECOND' where SN = 'ZZZ'"));
    const QStringList all = {QStringLiteral("ABC-100"), QStringLiteral("xabc-200"), QStringLiteral("Q50%Z"),
                             QStringLiteral("ZZZ")};
    const QStringList abc = {QStringLiteral("ABC-100"), QStringLiteral("xabc-200")};
    struct Case {
        QString text;
        QStringList expected;
    };
    const QList<Case> cases = {
        {QStringLiteral("abc"), abc}, // only SN, never SN2
        {QStringLiteral("*abc"), abc},
        {QStringLiteral("abc*"), abc},
        {QStringLiteral(" *abc* "), abc},
        {QStringLiteral("a*0"), abc}, // a "*" inside stays a wildcard
        {QStringLiteral("50%"), {QStringLiteral("Q50%Z")}},
        {QStringLiteral("0%Z"), {QStringLiteral("Q50%Z")}},
        {QStringLiteral("5%"), all}, // two characters: the whole list
        {QStringLiteral("A"), all},
        {QString(), all},
        {QStringLiteral("abd"), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(listed(c.text), c.expected) << c.text.toStdString();

    // A serial that left stock is no longer listed; back in stock, it is again.
    ASSERT_TRUE(sn.takePiece(phone, QStringLiteral("ABC-100")));
    EXPECT_EQ(listed(QStringLiteral("abc")), QStringList{QStringLiteral("xabc-200")});
    ASSERT_TRUE(sn.returnPiece(phone, QStringLiteral("ABC-100")));
    EXPECT_EQ(listed(QStringLiteral("abc")).size(), 2);
}

MORLENTA_ON_BOTH_ENGINES(SerialTest);
