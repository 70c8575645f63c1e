#include "orders/work_operations.h"

#include "data/database.h"
#include "orders/order_intake.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QSqlQuery>

#include <functional>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

class WorkOpsDb : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        ops = std::make_unique<WorkOperations>(db(), prompt);
        OrderIntake(db()).addBrand(QStringLiteral("NOKIA"));
        OrderIntake(db()).addBrand(QStringLiteral("SONY"));
    }
    int addOp(const QString &classification, const QString &code = {},
              const QString &name = QStringLiteral("Смяна"))
    {
        WorkOperation op;
        op.classification = classification;
        op.code = code;
        op.operation = name;
        EXPECT_TRUE(ops->saveOperation(op).saved);
        return op.id;
    }
    QString classificationOf(int id) { return ops->operation(id)->classification; }

    FakePrompt prompt;
    std::unique_ptr<WorkOperations> ops;
};

TEST_P(WorkOpsDb, RenameRefilesEveryOperationUnderTheOldPathOnly)
{
    const int a = ops->addRoot(QStringLiteral("NOKIA"));
    const int b = ops->addGroup(a, QStringLiteral(" Дисплеи "));
    const int x = ops->addGroup(b, QStringLiteral("X"));
    ops->addGroup(a, QStringLiteral("ДисплеиБ"));
    EXPECT_EQ(ops->pathOf(x), QStringLiteral("NOKIA\\Дисплеи\\X\\"));
    const int deep = addOp(QStringLiteral("NOKIA\\Дисплеи\\X\\"));
    const int own = addOp(QStringLiteral("NOKIA\\Дисплеи\\"));
    const int neighbour = addOp(QStringLiteral("NOKIA\\ДисплеиБ\\"));
    EXPECT_EQ(ops->operationsUnder(ops->pathOf(b)).size(), 2);

    EXPECT_TRUE(ops->renameGroup(b, QStringLiteral("Екрани ")));
    EXPECT_EQ(classificationOf(deep), QStringLiteral("NOKIA\\Екрани\\X\\"));
    EXPECT_EQ(classificationOf(own), QStringLiteral("NOKIA\\Екрани\\"));
    EXPECT_EQ(classificationOf(neighbour), QStringLiteral("NOKIA\\ДисплеиБ\\"));
    EXPECT_EQ(ops->pathOf(x), QStringLiteral("NOKIA\\Екрани\\X\\"));

    // Unchanged: nothing happens; empty or a sibling's name (any letter case): refused.
    EXPECT_FALSE(ops->renameGroup(b, QStringLiteral("Екрани")));
    EXPECT_TRUE(prompt.records().isEmpty());
    for (const QString &bad : {QStringLiteral("  "), QStringLiteral("дисплеиб")}) {
        EXPECT_FALSE(ops->renameGroup(b, bad));
        ASSERT_FALSE(prompt.records().isEmpty());
        EXPECT_EQ(prompt.records().last().text,
                  QStringLiteral("Не сте въвели спецификация или \nтакава спецификация вече е въведена!"));
        EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    }
    EXPECT_EQ(ops->pathOf(b), QStringLiteral("NOKIA\\Екрани\\"));
}

TEST_P(WorkOpsDb, LikeCharactersInANameAreTakenLiterally)
{
    const int a = ops->addRoot(QStringLiteral("NOKIA"));
    const int pct = ops->addGroup(a, QStringLiteral("50%_"));
    ops->addGroup(a, QStringLiteral("50xy"));
    const int mine = addOp(QStringLiteral("NOKIA\\50%_\\"));
    const int other = addOp(QStringLiteral("NOKIA\\50xy\\"));
    const QList<WorkOperation> under = ops->operationsUnder(ops->pathOf(pct));
    ASSERT_EQ(under.size(), 1);
    EXPECT_EQ(under[0].id, mine);
    EXPECT_TRUE(ops->renameGroup(pct, QStringLiteral("Нови")));
    EXPECT_EQ(classificationOf(mine), QStringLiteral("NOKIA\\Нови\\"));
    EXPECT_EQ(classificationOf(other), QStringLiteral("NOKIA\\50xy\\"));
}

TEST_P(WorkOpsDb, MovingAGroupAndDroppingOperationsRefileThem)
{
    const int nokia = ops->addRoot(QStringLiteral("NOKIA"));
    const int sony = ops->addRoot(QStringLiteral("SONY"));
    const int b = ops->addGroup(nokia, QStringLiteral("B"));
    const int x = ops->addGroup(b, QStringLiteral("X"));
    const int sonyB = ops->addGroup(sony, QStringLiteral("b"));
    const int deep = addOp(QStringLiteral("NOKIA\\B\\X\\"));
    const int loose = addOp(QStringLiteral("NOKIA\\"));

    // Under itself or below itself it would leave the tree.
    EXPECT_FALSE(ops->moveGroup(b, x));
    EXPECT_FALSE(ops->moveGroup(b, b));
    // A sibling of the same name would mix the two groups' operations.
    EXPECT_FALSE(ops->moveGroup(b, sony));
    EXPECT_EQ(prompt.records().size(), 2);
    EXPECT_EQ(classificationOf(deep), QStringLiteral("NOKIA\\B\\X\\"));

    EXPECT_TRUE(ops->moveGroup(x, sonyB));
    EXPECT_EQ(classificationOf(deep), QStringLiteral("SONY\\b\\X\\"));
    EXPECT_EQ(ops->pathOf(x), QStringLiteral("SONY\\b\\X\\"));
    EXPECT_TRUE(ops->moveGroup(b, x));
    EXPECT_EQ(ops->pathOf(b), QStringLiteral("SONY\\b\\X\\B\\"));

    ops->fileOperations({loose, deep}, b);
    for (int id : {loose, deep}) {
        const WorkOperation op = *ops->operation(id);
        EXPECT_EQ(op.classification, QStringLiteral("SONY\\b\\X\\B\\"));
        EXPECT_EQ(op.idMarka, x);
    }
}

TEST_P(WorkOpsDb, RootsAreBrandsAndGroupsNeedAName)
{
    // Declined: neither brand nor root.
    prompt.expectQuestion(
        QStringLiteral("Не е намерена марка \"LG\"\n\nЖелаете ли да бъде добавена в базата данни?"),
        PromptAnswer::No);
    EXPECT_EQ(ops->addRoot(QStringLiteral(" LG ")), 0);
    EXPECT_FALSE(OrderIntake(db()).hasBrand(QStringLiteral("LG")));
    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Добавяне на марка"));

    prompt.expectQuestion(QStringLiteral("\"LG\""), PromptAnswer::Yes);
    const int lg = ops->addGroup(-1, QStringLiteral("LG"));
    EXPECT_GT(lg, 0);
    EXPECT_TRUE(OrderIntake(db()).hasBrand(QStringLiteral("LG")));
    EXPECT_EQ(ops->pathOf(lg), QStringLiteral("LG\\"));

    // A parent that is gone makes a root as well; the same root twice is refused.
    EXPECT_EQ(ops->addGroup(999, QStringLiteral("lg")), 0);
    EXPECT_EQ(ops->addGroup(lg, QString()), 0);
    EXPECT_EQ(prompt.texts().filter(QStringLiteral("спецификация")).size(), 2);
    // Renaming a root to a name that is no brand asks the same question.
    prompt.expectQuestion(QStringLiteral("\"Samsung\""), PromptAnswer::No);
    EXPECT_FALSE(ops->renameGroup(lg, QStringLiteral("Samsung")));
    EXPECT_EQ(ops->addRoot(QString()), 0);
    EXPECT_EQ(ops->groups().size(), 1);
}

TEST_P(WorkOpsDb, OnlyAChildlessEmptyGroupIsDeletedAfterTheQuestion)
{
    const int nokia = ops->addRoot(QStringLiteral("NOKIA"));
    const int withChild = ops->addGroup(nokia, QStringLiteral("A"));
    ops->addGroup(withChild, QStringLiteral("A1"));
    const int withOp = ops->addGroup(nokia, QStringLiteral("B"));
    addOp(QStringLiteral("NOKIA\\B\\"));
    const int empty = ops->addGroup(nokia, QStringLiteral("C"));

    EXPECT_FALSE(ops->canDeleteGroup(withChild));
    EXPECT_FALSE(ops->canDeleteGroup(withOp));
    EXPECT_FALSE(ops->deleteGroup(withChild)); // no question either
    EXPECT_FALSE(ops->deleteGroup(withOp));

    prompt.expectQuestion(QStringLiteral("Изтриване на селекцията?"), PromptAnswer::No);
    EXPECT_FALSE(ops->deleteGroup(empty));
    prompt.expectQuestion(QStringLiteral("Изтриване на селекцията?"), PromptAnswer::Yes);
    EXPECT_TRUE(ops->deleteGroup(empty));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Изтриване"));
    EXPECT_EQ(prompt.records().last().icon, PromptIcon::Warning);
    EXPECT_TRUE(ops->pathOf(empty).isEmpty());
    EXPECT_EQ(ops->groups().size(), 4);
}

TEST_P(WorkOpsDb, PanelChecksComeInOrderAndRestoreTheStoredCode)
{
    const int first = addOp(QStringLiteral("NOKIA\\"), QStringLiteral("N100"));
    const int second = addOp(QStringLiteral("NOKIA\\"), QStringLiteral("N200"));
    struct Case {
        std::function<void(WorkOperation &)> spoil;
        QString caption, text;
        PromptIcon icon;
        OpField field;
    };
    const QList<Case> cases = {
        {[](WorkOperation &op) {
             op.fromGarant = -0.01;
             op.code = QStringLiteral("N100");
             op.operation.clear();
         },
         QStringLiteral("Съобщение"), QStringLiteral("Не може да въвеждате отрицателни стойности!"),
         PromptIcon::Warning, OpField::Prices},
        {[](WorkOperation &op) {
             op.code = QStringLiteral(" N100 ");
             op.operation.clear();
         },
         QStringLiteral("Повтаряне"), QStringLiteral("Такъв код вече е въведен!"), PromptIcon::Warning,
         OpField::Code},
        {[](WorkOperation &op) { op.operation = QStringLiteral("   "); }, QStringLiteral("Съобщение"),
         QStringLiteral("Въведете наименование на операцията!"), PromptIcon::Error, OpField::Name},
    };
    for (const Case &c : cases) {
        WorkOperation op = *ops->operation(second);
        c.spoil(op);
        const int before = int(prompt.records().size());
        const OpSaveResult r = ops->saveOperation(op);
        EXPECT_FALSE(r.saved) << c.text.toStdString();
        EXPECT_EQ(r.field, c.field);
        ASSERT_EQ(prompt.records().size(), before + 1);
        EXPECT_EQ(prompt.records().last().caption, c.caption);
        EXPECT_EQ(prompt.records().last().text, c.text);
        EXPECT_EQ(prompt.records().last().icon, c.icon);
        if (c.field == OpField::Code) {
            EXPECT_EQ(r.storedCode, QStringLiteral("N200"));
        }
    }
    EXPECT_EQ(ops->operation(second)->code, QStringLiteral("N200"));

    // Its own code, or an empty one shared with others, is no repetition.
    WorkOperation op = *ops->operation(first);
    op.clientPrice = 12.5;
    EXPECT_TRUE(ops->saveOperation(op).saved);
    EXPECT_EQ(ops->operation(first)->clientPrice, 12.5);
    addOp(QStringLiteral("NOKIA\\"));
    addOp(QStringLiteral("NOKIA\\"));

    // Prices edited in the list are checked as well.
    EXPECT_FALSE(ops->setPrice(first, OpPrice::Worker, -1));
    EXPECT_TRUE(ops->setPrice(first, OpPrice::Worker, 4));
    EXPECT_EQ(ops->operation(first)->workerPrice, 4.0);
}

TEST_P(WorkOpsDb, CodeSearchNeedsThreeCharactersAndFocusesTheFirstMatch)
{
    for (const char *code : {"ZX-9", "ab-2", "AB-10", "xab-1", "AB_1"})
        addOp(QStringLiteral("NOKIA\\"), QString::fromLatin1(code));

    EXPECT_FALSE(ops->searchByCode(QStringLiteral("  ab ")).has_value());
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Въведете поне 3 символа за търсене")});

    auto codes = [](const OpSearchResult &r) {
        QStringList out;
        for (const WorkOperation &op : r.rows)
            out << op.code;
        return out;
    };
    // No wildcard: the code as typed, "_" literal, letter case ignored.
    OpSearchResult r = *ops->searchByCode(QStringLiteral("ab_1"));
    EXPECT_EQ(codes(r), QStringList{QStringLiteral("AB_1")});
    r = *ops->searchByCode(QStringLiteral("*ab*"));
    EXPECT_EQ(codes(r), (QStringList{QStringLiteral("AB-10"), QStringLiteral("ab-2"), QStringLiteral("AB_1"),
                                     QStringLiteral("xab-1")}));
    EXPECT_EQ(r.focus, 0);
    r = *ops->searchByCode(QStringLiteral("xa*"));
    EXPECT_EQ(codes(r), QStringList{QStringLiteral("xab-1")});
    r = *ops->searchByCode(QStringLiteral("*-1*"));
    EXPECT_EQ(codes(r), (QStringList{QStringLiteral("AB-10"), QStringLiteral("xab-1")}));
    r = *ops->searchByCode(QStringLiteral("zx-*"));
    EXPECT_EQ(r.rows[r.focus].code, QStringLiteral("ZX-9"));
}

TEST_P(WorkOpsDb, DeletingOperationsAsksFirst)
{
    const int a = addOp(QStringLiteral("NOKIA\\"), QStringLiteral("A1"));
    const int b = addOp(QStringLiteral("NOKIA\\"), QStringLiteral("B1"));
    const QString question =
        QStringLiteral("Ще изтриете всички селектирани редове, \nжелаете ли да продължите?");
    prompt.expectQuestion(question, PromptAnswer::No);
    EXPECT_FALSE(ops->deleteOperations({a, b}));
    prompt.expectQuestion(question, PromptAnswer::Yes);
    EXPECT_TRUE(ops->deleteOperations({a, b}));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Изтриване"));
    EXPECT_TRUE(ops->allOperations().isEmpty());
}

MORLENTA_ON_BOTH_ENGINES(WorkOpsDb);
