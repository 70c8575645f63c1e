#include "documents/document_values.h"

#include "data/database.h"
#include "support/db_fixture.h"

using namespace morlenta;
using namespace morlenta::documents;
using morlenta::test::DbTest;

namespace {

QString valueOf(const Placeholders &list, const QString &key)
{
    for (const Placeholder &p : list)
        if (p.key == key)
            return p.value;
    return QStringLiteral("<missing>");
}

OrderData order()
{
    OrderData o;
    o.idPor = 17;
    o.porState = 3;
    o.taksa = 10.0;
    o.sumParts = 25.5;
    o.sumTrud = 20.0;
    o.transport = 5.0;
    o.sumAll = 60.5;
    o.clerk = QStringLiteral("Петър");
    o.parts = {{QStringLiteral("Samsung"), QStringLiteral("Дисплей"), QStringLiteral("Модул за A52"), 2, 12.75}};
    o.operations = {{QStringLiteral("Смяна на дисплей"), 20}};
    return o;
}

} // namespace

TEST(ReadyCard, LinesHaveTheirFixedWidths)
{
    const QString parts = partsLines(order().parts, true);
    EXPECT_EQ(parts, QStringLiteral("Samsung Дисплей Модул за A52").leftJustified(64) + QStringLiteral("   2 бр.   12.75\r\n"));
    EXPECT_EQ(partsLines(order().parts, false), QStringLiteral("Samsung Дисплей Модул за A52").leftJustified(64) +
                                                    QStringLiteral("   2 бр.\r\n"));
    EXPECT_EQ(operationLines(order().operations, false), QStringLiteral("Смяна на дисплей").leftJustified(72) + QStringLiteral("\r\n"));
    EXPECT_EQ(operationLines({{QString(90, QLatin1Char('o')), 1.5}}, true), QString(72, QLatin1Char('o')) + QStringLiteral("    1.50\r\n"));
    EXPECT_EQ(partsLines({}, true), QString());
}

TEST(ReadyCard, PricesBoxStateAndDiscount)
{
    const ShopData shop{QStringLiteral("Сервиз"), {}, {}, {}, {}};
    OrderData o = order();
    Placeholders v = readyCardValues(o, shop, false);
    EXPECT_EQ(valueOf(v, QStringLiteral("%taksa%")), QString());
    EXPECT_EQ(valueOf(v, QStringLiteral("%transport%")), QString());
    EXPECT_EQ(valueOf(v, QStringLiteral("%price%")), QStringLiteral("   60.50"));
    EXPECT_EQ(valueOf(v, QStringLiteral("%discount%")), QString());
    EXPECT_EQ(valueOf(v, QStringLiteral("%type%")), QStringLiteral("Поправена"));
    EXPECT_EQ(valueOf(v, QStringLiteral("%clerk%")), QStringLiteral("Сервизен техник: Петър"));
    v = readyCardValues(o, shop, true);
    EXPECT_EQ(valueOf(v, QStringLiteral("%taksa%")), QStringLiteral("Сервизна такса:    10.00 лв."));
    EXPECT_EQ(valueOf(v, QStringLiteral("%transport%")), QStringLiteral("Транспорт:     5.00 лв."));

    const struct {
        QVariant sumAll, transport, state;
        const char *discount, *type;
    } cases[] = {
        {50.5, 5.0, 8, "Отстъпка:    10.00 лв.", ""},
        {70.5, 5.0, 7, "Отстъпка:   -10.00 лв.", "Непоправим дефект"},
        {55.5, QVariant(), 0, "", ""},  // transport missing: not subtracted
    };
    for (const auto &c : cases) {
        o.sumAll = c.sumAll;
        o.transport = c.transport;
        o.porState = c.state;
        EXPECT_EQ(discountText(o), QString::fromUtf8(c.discount)) << c.sumAll.toDouble();
        EXPECT_EQ(readyCardStateText(o.porState), QString::fromUtf8(c.type));
    }
}

TEST(ServiceCard, DoubleWidthNameOnlyOnTheDotMatrixPrinter)
{
    const ShopData shop{QStringLiteral("Сервиз"), QStringLiteral("София"), QStringLiteral("02 1"), {}, {}};
    ServiceCardInput in;
    in.number = 5;
    in.warrantyBasis = 2;
    in.warrantor = QStringLiteral("Дистрибутор ООД");
    in.placeText = QStringLiteral("На адреса на клиента");
    in.placeIndex = 1;
    in.visitDate = QDate(2026, 12, 12);
    in.partOfDay = QStringLiteral("следобед");
    in.fiscal = QStringLiteral("  ");
    Placeholders m = serviceCardValues(in, shop, true);
    EXPECT_EQ(m.first().key, QStringLiteral("%servicename%"));
    EXPECT_EQ(m.first().value, QChar(14) + QStringLiteral("Сервиз") + QChar(20));
    EXPECT_EQ(serviceCardValues(in, shop, false).first().value, QStringLiteral("Сервиз"));
    EXPECT_EQ(valueOf(m, QStringLiteral("%warranty%")), QStringLiteral("Гаранция към Дистрибутор ООД"));
    EXPECT_EQ(valueOf(m, QStringLiteral("%place%")), QStringLiteral("На адреса на клиента - 12.12.2026 следобед"));
    EXPECT_EQ(valueOf(m, QStringLiteral("%fiscal%")), QString());
    EXPECT_EQ(readyCardValues(OrderData(), shop, true).first().value, QStringLiteral("Сервиз"));
}

class OrderSourceTest : public DbTest {};

TEST_P(OrderSourceTest, OrderRowWithItsPartsWorkAndVisits)
{
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("id"), 2}, {QStringLiteral("Name"), QStringLiteral("Петър")}});
    db().insert(QStringLiteral("porychka"),
                {{QStringLiteral("idPor"), 17}, {QStringLiteral("PorDate"), QDate(2026, 12, 1)},
                 {QStringLiteral("Art"), QStringLiteral("GSM")}, {QStringLiteral("Marka"), QStringLiteral("Nokia")},
                 {QStringLiteral("Model"), QStringLiteral("3310")}, {QStringLiteral("TypeWarr"), 2},
                 {QStringLiteral("idClerk"), 2}, {QStringLiteral("TimeVisit"), QStringLiteral("10-12 ч.")},
                 {QStringLiteral("clientNames"), QStringLiteral("Иван")}});
    const qint64 maker = db().insert(QStringLiteral("partMarka"), {{QStringLiteral("Marka"), QStringLiteral("Nokia")}});
    const qint64 type = db().insert(QStringLiteral("typeparts"), {{QStringLiteral("Type"), QStringLiteral("Батерия")}});
    const qint64 part = db().insert(QStringLiteral("parts"), {{QStringLiteral("Part"), QStringLiteral("BL-5C")},
                                                              {QStringLiteral("TypeID"), type},
                                                              {QStringLiteral("idMarka"), maker}});
    db().insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), 17}, {QStringLiteral("idPart"), part},
                                               {QStringLiteral("amnt"), 1}, {QStringLiteral("priceLV"), 15.0}});
    db().insert(QStringLiteral("Jobs_In_Por"), {{QStringLiteral("idPor"), 17}, {QStringLiteral("Trud"), QStringLiteral("Смяна")},
                                                {QStringLiteral("Pr1"), 8.0}});
    db().insert(QStringLiteral("homevisit"), {{QStringLiteral("field1"), QStringLiteral("17")},
                                              {QStringLiteral("visited"), false},
                                              {QStringLiteral("Notes"), QStringLiteral("Монтаж на климатик")}});
    db().insert(QStringLiteral("homevisit"), {{QStringLiteral("field2"), QStringLiteral("17")},
                                              {QStringLiteral("DateVisit"), QDate(2027, 6, 1)}});

    const OrderData o = loadOrderData(db(), 17);
    ASSERT_EQ(o.idPor, 17);
    EXPECT_EQ(o.clerk, QStringLiteral("Петър"));
    ASSERT_EQ(o.parts.size(), 1);
    EXPECT_EQ(partsLines(o.parts, true).left(21), QStringLiteral("Nokia Батерия BL-5C  "));
    const ShopData shop;
    const Placeholders card = serviceCardValues(o, shop, false);
    EXPECT_EQ(valueOf(card, QStringLiteral("%ured%")), QStringLiteral("GSM Nokia 3310"));
    EXPECT_EQ(valueOf(card, QStringLiteral("%date%")), QStringLiteral("01.12.2026"));
    EXPECT_EQ(valueOf(card, QStringLiteral("%warranty%")), QStringLiteral("Гаранция към "));
    EXPECT_EQ(valueOf(card, QStringLiteral("%place%")), QStringLiteral("На адреса на клиента - 10-12 ч."));
    EXPECT_EQ(valueOf(card, QStringLiteral("%serial%")), QString());
    const Placeholders clima = conditionerValues(o, shop, false);
    EXPECT_EQ(valueOf(clima, QStringLiteral("%type%")), QStringLiteral("монтаж на климатик"));
    EXPECT_EQ(valueOf(clima, QStringLiteral("%profilaktika%")), QStringLiteral("   01.06.2027"));
    EXPECT_EQ(loadOrderData(db(), 99).idPor, 0);
}

MORLENTA_ON_BOTH_ENGINES(OrderSourceTest);
