#include "stock/name_list.h"
#include "stock/parts_catalogue.h"
#include "stock/stock_quantity.h"

#include "support/db_fixture.h"
#include "support/fake_prompt.h"
#include "tests/stock/stock_fixture.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::stock;
using morlenta::test::addBrand;
using morlenta::test::addPart;
using morlenta::test::addType;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

class CatalogueTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        display = addType(db(), QStringLiteral("Дисплей"));
        battery = addType(db(), QStringLiteral("Батерия"));
        nokia = addBrand(db(), QStringLiteral("Нокия"));
        samsung = addBrand(db(), QStringLiteral("Samsung"));
        lcd = addPart(db(), QStringLiteral("LCD 3310"), display, nokia, QStringLiteral("4006381333931"), 3,
                      QStringLiteral("A-1"));
    }
    PartEntry entry(const QString &part, std::optional<qint64> type, std::optional<qint64> brand,
                    const QString &barcode = {}, const QString &partNo = {})
    {
        PartEntry e;
        e.part = part;
        e.typeId = type;
        e.idMarka = brand;
        e.barcode = barcode;
        e.partNo = partNo;
        return e;
    }
    QList<qint64> ids(const Statement &s)
    {
        QList<qint64> out;
        QSqlQuery q = db().exec(s.sql, s.params);
        while (q.next())
            out << q.value(0).toLongLong();
        return out;
    }
    int parts() { return test::count(db(), QStringLiteral("select count(*) from parts")); }

    FakePrompt prompt;
    qint64 display = 0, battery = 0, nokia = 0, samsung = 0, lcd = 0;
};

} // namespace

TEST_P(CatalogueTest, SaveRefusesInOrderAndWritesNothing)
{
    struct Case {
        PartEntry entry;
        QString message;
        PartField focus;
    };
    const QList<Case> cases = {
        {entry(QStringLiteral("   "), display, nokia), QStringLiteral("Моля въведете обозначение за частта!"),
         PartField::Part},
        {entry(QStringLiteral("LCD"), std::nullopt, std::nullopt),
         QStringLiteral("Моля въведете тип за частта!"), PartField::Type},
        {entry(QStringLiteral("LCD"), display, std::nullopt),
         QStringLiteral("Моля въведете марка (производител) за частта!"), PartField::Marka},
        // The barcode is checked before the designation.
        {entry(QStringLiteral("LCD 3310"), display, nokia, QStringLiteral("4006381333931")),
         QStringLiteral("Такъв баркод вече е въведен!"), PartField::Barcode},
        // A different part number does not make it another article; letter case neither.
        {entry(QStringLiteral(" lcd 3310 "), display, nokia, {}, QStringLiteral("B-2")),
         QStringLiteral("Нокия Дисплей lcd 3310 вече е въведен!"), PartField::Part},
    };
    for (const Case &c : cases) {
        PartEntry e = c.entry;
        const SaveOutcome out = PartsCatalogue(db(), prompt).save(e);
        EXPECT_FALSE(out.saved) << c.message.toStdString();
        EXPECT_EQ(out.focus, c.focus) << c.message.toStdString();
        ASSERT_FALSE(prompt.records().isEmpty());
        EXPECT_EQ(prompt.records().last().text, c.message);
        EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Внимание"));
        EXPECT_EQ(prompt.records().last().icon, PromptIcon::Warning);
        EXPECT_EQ(e.id, 0);
    }
    EXPECT_EQ(parts(), 1);
}

TEST_P(CatalogueTest, SaveAllowsAnotherBrandAndDoesNotCollideWithItself)
{
    PartEntry other = entry(QStringLiteral("  LCD 3310 "), display, samsung, QStringLiteral("590123412345"));
    ASSERT_TRUE(PartsCatalogue(db(), prompt).save(other).saved);
    EXPECT_GT(other.id, lcd);
    EXPECT_EQ(other.part, QStringLiteral("LCD 3310"));
    // A new article has no quantity yet; readers count it as 0.
    EXPECT_TRUE(db().scalar(QStringLiteral("select amnt from parts where id = ?"), {other.id}).isNull());
    EXPECT_EQ(inStock(db(), other.id), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("select opVal from parts where id = ?"), {other.id}).toInt(), 1);

    PartEntry same = entry(QStringLiteral("LCD 3310"), battery, nokia);
    ASSERT_TRUE(PartsCatalogue(db(), prompt).save(same).saved) << "another type is another article";

    PartEntry edited = PartsCatalogue(db(), prompt).load(lcd);
    edited.partNo = QStringLiteral("A-2");
    edited.catalogs = QStringLiteral("O'Brien 50% *");
    ASSERT_TRUE(PartsCatalogue(db(), prompt).save(edited).saved);
    const PartEntry back = PartsCatalogue(db(), prompt).load(lcd);
    EXPECT_EQ(back.partNo, QStringLiteral("A-2"));
    EXPECT_EQ(back.barcode, QStringLiteral("4006381333931"));
    EXPECT_EQ(back.catalogs, QStringLiteral("O'Brien 50% *"));
    EXPECT_EQ(inStock(db(), lcd), 3) << "the catalogue never changes the quantity";

    // Moving the edited article onto another one's designation, brand and type is refused.
    edited.idMarka = samsung;
    EXPECT_FALSE(PartsCatalogue(db(), prompt).save(edited).saved);
    EXPECT_TRUE(prompt.texts().last().endsWith(QStringLiteral("вече е въведен!")));
    EXPECT_EQ(parts(), 3);
}

TEST_P(CatalogueTest, AWriteTheDatabaseRefusesIsReportedAndNothingIsKept)
{
    // A rule of the database that the checks do not know (as another
    // computer's article written between the check and the write would be).
    db().execute(QStringLiteral("create unique index ux_test_partno on parts (PartNo)"));
    PartEntry e = entry(QStringLiteral("Battery"), battery, samsung, QStringLiteral("590000000009"),
                        QStringLiteral("A-1"));
    const SaveOutcome out = PartsCatalogue(db(), prompt).save(e);
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(out.focus, PartField::Part);
    EXPECT_EQ(prompt.records().last().text, QStringLiteral("Такава част вече е въведена!"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    EXPECT_EQ(e.id, 0);
    EXPECT_EQ(parts(), 1);
    EXPECT_FALSE(PartsCatalogue(db(), prompt).findByBarcode(QStringLiteral("590000000009")).has_value());
}

TEST_P(CatalogueTest, SearchTakesTheUsersWildcardAndNothingElse)
{
    const qint64 cyr = addPart(db(), QStringLiteral("Дисплей Нокиа 6300"), display, nokia, {}, 0,
                               QStringLiteral("N-6300"), QStringLiteral("каталог 50% O'Brien"));
    const qint64 percent = addPart(db(), QStringLiteral("Стъкло 500"), display, nokia,
                                   QStringLiteral("590000000001"), 2, QStringLiteral("S_1"));
    const qint64 apostrophe =
        addPart(db(), QStringLiteral("Cable O'Neil"), battery, samsung, {}, 1, QStringLiteral("C*1"));
    PartsCatalogue c(db(), prompt);
    struct Case {
        QString text;
        int columns;
        QList<qint64> expected;
    };
    const QList<Case> cases = {
        {QStringLiteral("дисплей*"), SearchPart, {cyr}},           // Cyrillic, any case
        {QStringLiteral("ДИСПЛЕЙ НОКИА 6300"), SearchPart, {cyr}}, // no "*": the whole text
        {QStringLiteral("дисплей"), SearchPart, {}},               // ... so a part of it finds nothing
        {QStringLiteral("*O'Neil"), SearchPart, {apostrophe}},     // apostrophes are plain text
        {QStringLiteral("*50%*"), SearchCatalogs, {cyr}},          // "%" is itself, not a wildcard
        {QStringLiteral("*5_0*"), SearchPart, {}},                 // "_" too
        {QStringLiteral("S_1"), SearchPartNo, {percent}},
        {QStringLiteral("  *500*  "), SearchPart | SearchBarcode, {percent}}, // trimmed
        {QStringLiteral("*3310"), SearchPart | SearchPartNo, {lcd}},
        {QStringLiteral("a-1"), SearchPart | SearchPartNo, {lcd}},
        {QStringLiteral("4006*"), SearchCatalogs | SearchBarcode, {lcd}},
        {QStringLiteral("*"), SearchPart, {lcd, cyr, percent, apostrophe}},
        // An empty text lists the articles in stock, not the whole catalogue.
        {QStringLiteral("   "), SearchPart, {lcd, percent, apostrophe}},
    };
    for (const Case &k : cases) {
        const std::optional<Statement> s = c.searchStatement(k.text, k.columns);
        ASSERT_TRUE(s.has_value()) << k.text.toStdString();
        EXPECT_EQ(ids(*s), k.expected) << k.text.toStdString();
    }
    EXPECT_FALSE(c.searchStatement(QStringLiteral("LCD"), 0).has_value()) << "no column ticked";
    EXPECT_EQ(c.findByBarcode(QStringLiteral("590000000001")), percent);
    EXPECT_FALSE(c.findByBarcode(QStringLiteral("x' or '1'='1")).has_value());
}

TEST_P(CatalogueTest, TypesAndBrandsAreKeptOnceAndTrimmed)
{
    NameList types(db(), prompt, NameListKind::PartTypes);
    const std::optional<qint64> lens = types.save(std::nullopt, QStringLiteral("  Обектив "));
    ASSERT_TRUE(lens.has_value());
    EXPECT_EQ(types.items().last(), NamedItem(*lens, QStringLiteral("Обектив")));
    EXPECT_FALSE(types.save(std::nullopt, QStringLiteral("   ")).has_value());
    EXPECT_TRUE(prompt.records().isEmpty()) << "an empty name is no message";

    for (const QString &dup : {QStringLiteral("дисплей"), QStringLiteral("ОБЕКТИВ")}) {
        EXPECT_FALSE(types.save(std::nullopt, dup).has_value()) << dup.toStdString();
        EXPECT_EQ(prompt.records().last().text, QStringLiteral("Такъв вид вече е въведен!"));
        EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    }
    EXPECT_EQ(types.save(lens, QStringLiteral("Обектив")), lens) << "a row does not collide with itself";
    EXPECT_FALSE(types.save(lens, QStringLiteral("Батерия")).has_value());

    NameList brands(db(), prompt, NameListKind::PartBrands);
    EXPECT_FALSE(brands.save(std::nullopt, QStringLiteral("samsung")).has_value());
    const std::optional<qint64> longName =
        brands.save(std::nullopt, QStringLiteral("Производител с дълго име"));
    ASSERT_TRUE(longName.has_value());
    EXPECT_EQ(db().scalar(QStringLiteral("select Marka from partMarka where id = ?"), {*longName}).toString(),
              QStringLiteral("Производител с дълго")); // the column's 20 characters
    EXPECT_EQ(test::count(db(), QStringLiteral("select count(*) from typeparts")), 3);

    NameList articles(db(), prompt, NameListKind::DeviceArticles);
    const std::optional<qint64> phone = articles.save(std::nullopt, QStringLiteral("Телефон"));
    ASSERT_TRUE(phone.has_value());
    EXPECT_FALSE(articles.save(std::nullopt, QStringLiteral("телефон")).has_value());
    NameList makes(db(), prompt, NameListKind::DeviceBrands);
    EXPECT_TRUE(makes.save(std::nullopt, QStringLiteral("Телефон")).has_value()) << "another list";
}

TEST_P(CatalogueTest, StockIsTakenOnlyWhenThereIsEnough)
{
    const qint64 none = addPart(db(), QStringLiteral("Без наличност"), battery, nokia);
    EXPECT_FALSE(takeFromStock(db(), none, 1)) << "a missing quantity is 0";
    EXPECT_FALSE(takeFromStock(db(), lcd, 4));
    EXPECT_FALSE(takeFromStock(db(), lcd, 0));
    EXPECT_EQ(inStock(db(), lcd), 3);
    EXPECT_TRUE(takeFromStock(db(), lcd, 3));
    EXPECT_EQ(inStock(db(), lcd), 0);
    addToStock(db(), none, 2);
    EXPECT_EQ(inStock(db(), none), 2);

    // Two computers after the same last piece: one gets it.
    addToStock(db(), lcd, 1);
    auto other = openAnother();
    EXPECT_TRUE(takeFromStock(*other, lcd, 1));
    EXPECT_FALSE(takeFromStock(db(), lcd, 1));
    EXPECT_EQ(inStock(db(), lcd), 0);
}

MORLENTA_ON_BOTH_ENGINES(CatalogueTest);
