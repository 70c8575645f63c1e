#include "data/dialect.h"
#include "data/schema.h"
#include "support/db_fixture.h"

#include <QSqlQuery>

#include <algorithm>
#include <set>

using namespace morlenta;
using namespace morlenta::data;
using morlenta::test::DbTest;

namespace {

using Ids = std::vector<int>;

} // namespace

class SearchIndexTest : public DbTest {
protected:
    void addOrder(int id, const QString &column, const QString &value)
    {
        db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), id}, {column, value}});
    }
    Ids select(const SqlCondition &c)
    {
        QSqlQuery q = db().exec(QStringLiteral("select idPor from porychka where ") + c.sql, c.params);
        Ids ids;
        while (q.next())
            ids.push_back(q.value(0).toInt());
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    // The search as the register makes it.
    Ids found(const QString &column, const QString &text)
    {
        return select(db().containsCondition(QStringLiteral("porychka"), column, text));
    }
    // The same search without any index.
    Ids plain(const QString &column, const QString &text)
    {
        return select(
            {db().likeCondition(column), {likePattern(QLatin1Char('*') + text + QLatin1Char('*'))}});
    }
    // What the trigram index itself holds for a phrase (SQLite).
    Ids indexed(const QString &column, const QString &phrase)
    {
        QSqlQuery q = db().exec(
            QStringLiteral("select rowid from porychka_search where %1 match ? order by rowid").arg(column),
            {QLatin1Char('"') + phrase + QLatin1Char('"')});
        Ids ids;
        while (q.next())
            ids.push_back(q.value(0).toInt());
        return ids;
    }
    const SearchIndexDef &searchIndex()
    {
        return *findSearchIndex(QStringLiteral("porychka"), QStringLiteral("clientNames"));
    }
};

TEST_P(SearchIndexTest, ContainsSearchFindsExactlyThePlainRows)
{
    ASSERT_TRUE(db().hasSearchIndex(searchIndex()));
    const QString names = QStringLiteral("clientNames");
    addOrder(1, names, QStringLiteral("Иван Петров"));
    addOrder(2, names, QStringLiteral("ПЕТРОВА Мария"));
    addOrder(3, names, QStringLiteral("O'Brien \"Ltd\""));
    addOrder(4, names, QStringLiteral("Георги Петрович"));
    addOrder(5, QStringLiteral("Model"), QStringLiteral("50% Off_model"));
    addOrder(6, QStringLiteral("Model"), QStringLiteral("50 OffXmodel"));
    addOrder(7, QStringLiteral("Serial"), QStringLiteral("AB\\CD*12"));
    addOrder(8, QStringLiteral("Serial"), QStringLiteral("354678901234567"));
    addOrder(9, QStringLiteral("clientPhones"), QStringLiteral("0888 123 456, 02/981-22-33"));
    addOrder(10, QStringLiteral("clientAdres"), QStringLiteral("ул. \"Шипка\" 5, ет. 2"));
    addOrder(11, QStringLiteral("Fiscal"), QStringLiteral("DT123456"));
    db().execute(QStringLiteral("insert into porychka (clientNames) values (?)"),
                 {QStringLiteral("Петров без номер")});

    struct Case {
        const char *column;
        QString text;
        Ids expected; // 0: the order without a number
    };
    const Case cases[] = {
        {"clientNames", QStringLiteral("петров"), {0, 1, 2, 4}},
        {"ClientNames", QStringLiteral("ПЕТРОВА"), {2}},
        {"clientNames", QStringLiteral("o'brien"), {3}},
        {"clientNames", QStringLiteral("\"ltd\""), {3}},
        {"clientNames", QStringLiteral("Ив"), {1}},
        {"clientNames", QStringLiteral("ив*ров"), {1}},
        {"clientNames", QStringLiteral("ги*тро*ич"), {4}},
        {"clientNames", QStringLiteral("петрова мария"), {2}},
        {"clientNames", QStringLiteral("Стоянов"), {}},
        {"Model", QStringLiteral("50%"), {5}},
        {"Model", QStringLiteral("%"), {5}},
        {"Model", QStringLiteral("f_m"), {5}},
        {"Model", QStringLiteral("OFF"), {5, 6}},
        {"Serial", QStringLiteral("b\\cd"), {7}},
        {"Serial", QStringLiteral("d*12"), {7}},
        {"Serial", QStringLiteral("*"), {7, 8}},
        {"Serial", QStringLiteral("8901234"), {8}},
        {"clientPhones", QStringLiteral("123"), {9}},
        {"clientPhones", QStringLiteral("22-3"), {9}},
        {"clientAdres", QStringLiteral("\"шипка\""), {10}},
        {"Fiscal", QStringLiteral("dt12"), {11}},
    };
    for (const Case &c : cases) {
        const QString column = QString::fromLatin1(c.column);
        EXPECT_EQ(found(column, c.text), c.expected) << c.column << " " << c.text.toStdString();
        EXPECT_EQ(found(column, c.text), plain(column, c.text)) << c.column << " " << c.text.toStdString();
    }
    if (engine() == Engine::Sqlite) {
        // A word of three letters or more goes through the index; shorter text cannot.
        auto plan = [&](const QString &text) {
            const SqlCondition c = db().containsCondition(QStringLiteral("porychka"), names, text);
            QSqlQuery q = db().exec(
                QStringLiteral("explain query plan select idPor from porychka where ") + c.sql, c.params);
            QString details;
            while (q.next())
                details += q.value(3).toString() + QLatin1Char('\n');
            return details;
        };
        EXPECT_TRUE(plan(QStringLiteral("петров")).contains(QLatin1String("porychka_search")));
        EXPECT_FALSE(plan(QStringLiteral("ив")).contains(QLatin1String("porychka_search")));
    }
}

TEST_P(SearchIndexTest, IndexFollowsEveryChangeOfTheRows)
{
    const QString names = QStringLiteral("clientNames");
    addOrder(1, names, QStringLiteral("Иван Петров"));
    addOrder(2, names, QStringLiteral("Мария Петрова"));
    addOrder(3, names, QStringLiteral("Стефан Колев"));

    db().execute(QStringLiteral("update porychka set clientNames = ? where idPor = 1"),
                 {QStringLiteral("Иван Стоянов")});
    db().execute(QStringLiteral("update porychka set ready = ?, Trud = ? where idPor = 2"),
                 {true, QStringLiteral("Смяна на дисплей")});
    db().execute(QStringLiteral("delete from porychka where idPor = 3"));
    db().execute(QStringLiteral("update porychka set idPor = 20 where idPor = 2"));
    addOrder(4, names, QStringLiteral("Колев и син"));
    // Compaction may renumber a table's implicit row ids; the index is keyed by the order number.
    db().compact();

    EXPECT_EQ(found(names, QStringLiteral("петров")), Ids{20});
    EXPECT_EQ(found(names, QStringLiteral("стоянов")), Ids{1});
    EXPECT_EQ(found(names, QStringLiteral("колев")), Ids{4});
    EXPECT_EQ(found(names, QStringLiteral("мария")), Ids{20});
    if (engine() == Engine::Sqlite) {
        // The index itself, not only the plain check behind it.
        EXPECT_EQ(indexed(names, QStringLiteral("петров")), Ids{20});
        EXPECT_EQ(indexed(names, QStringLiteral("колев")), Ids{4});
        EXPECT_NO_THROW(db().execute(QStringLiteral("insert into porychka_search (porychka_search, rank) "
                                                    "values ('integrity-check', 1)")));
    }
}

// A letter that folds into a Latin or Cyrillic letter is found through the
// index exactly when the plain search finds it.
TEST_P(SearchIndexTest, LettersFoldedLikeSearchLettersAreFoundThroughTheIndex)
{
    std::vector<std::pair<int, QString>> rows;
    for (char16_t u = 1; u < 0xD800; ++u) {
        const QChar ch(u);
        if (!ch.isLetter())
            continue;
        const QString folded = QString(ch).toCaseFolded();
        const bool searchLetters = std::all_of(folded.begin(), folded.end(), [](QChar f) {
            return (f >= u'a' && f <= u'z') || (f.unicode() >= 0x400 && f.unicode() <= 0x45F);
        });
        if (searchLetters && folded != QString(ch))
            rows.push_back({int(u), QStringLiteral("жк") + ch + QStringLiteral("ъq")});
    }
    ASSERT_GT(rows.size(), 80u);
    for (const auto &[id, text] : rows)
        addOrder(id, QStringLiteral("clientNames"), text);
    for (const auto &[id, text] : rows) {
        const QString search = text.toCaseFolded();
        const Ids result = found(QStringLiteral("clientNames"), search);
        EXPECT_EQ(result, plain(QStringLiteral("clientNames"), search)) << "U+" << std::hex << id;
        // On a file every case variant is found (the server folds as its locale does).
        if (engine() == Engine::Sqlite && (id < 0x1C80 || id > 0x1C8F)) {
            EXPECT_TRUE(std::find(result.begin(), result.end(), id) != result.end())
                << "U+" << std::hex << id;
        }
    }
}

MORLENTA_ON_BOTH_ENGINES(SearchIndexTest);
