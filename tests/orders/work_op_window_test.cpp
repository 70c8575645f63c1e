#include "common/session.h"
#include "data/database.h"
#include "orders/order_intake.h"
#include "orders/tfrm_work_op.h"
#include "orders/work_operations.h"
#include "platform/data_grid.h"
#include "support/session_fixture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::SessionTest;

class WorkOpWindow : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (IsSkipped())
            return;
        OrderIntake(db()).addBrand(QStringLiteral("NOKIA"));
        WorkOperations ops(db(), prompt);
        nokia = ops.addRoot(QStringLiteral("NOKIA"));
        displays = ops.addGroup(nokia, QStringLiteral("Дисплеи"));
        for (const char *code : {"D-1", "D-2"}) {
            WorkOperation op;
            op.classification = QStringLiteral("NOKIA\\Дисплеи\\");
            op.code = QString::fromLatin1(code);
            op.operation = QStringLiteral("Смяна на дисплей ") + op.code;
            op.clientPrice = 30;
            op.warrantyPrice = 8;
            op.workerPrice = 10;
            op.fromGarant = 25;
            ops.saveOperation(op);
        }
    }
    int nokia = 0, displays = 0;
};

TEST_P(WorkOpWindow, ChooserClosesWithTheFocusedOperation)
{
    TfrmWorkOp w(session, true);
    w.show();
    EXPECT_TRUE(w.panButtons->isVisible());
    // The root lists the operations of every group below it.
    EXPECT_EQ(w.currentGroupId(), nokia);
    EXPECT_EQ(w.lblPath->text(), QStringLiteral("NOKIA\\"));
    EXPECT_EQ(w.grid->rowCount(), 2);

    // Prices edited in the list reach the database; a negative one is refused.
    w.mnEditPrices->setChecked(true);
    GridModel *m = w.grid->gridModel();
    const QModelIndex price = m->indexOfSourceRow(1, m->columnIndex(QStringLiteral("clientPrice")));
    EXPECT_TRUE(m->flags(price) & Qt::ItemIsEditable);
    EXPECT_FALSE(m->flags(m->indexOfSourceRow(1, m->columnIndex(QStringLiteral("Code")))) &
                 Qt::ItemIsEditable);
    EXPECT_FALSE(m->setData(price, -5.0));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Не може да въвеждате отрицателни стойности!")});
    EXPECT_TRUE(m->setData(price, 33.5));
    QCoreApplication::processEvents();

    w.grid->setCurrentSourceRow(1);
    QTest::keyClick(w.grid->view(), Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const std::optional<WorkOperation> op = w.chosen();
    ASSERT_TRUE(op.has_value());
    EXPECT_EQ(op->code, QStringLiteral("D-2"));
    EXPECT_EQ(op->operation, QStringLiteral("Смяна на дисплей D-2"));
    EXPECT_EQ(op->clientPrice, 33.5);
    EXPECT_EQ(op->warrantyPrice, 8.0);
    EXPECT_EQ(op->workerPrice, 10.0);
    EXPECT_EQ(op->fromGarant, 25.0);
    EXPECT_EQ(
        db().scalar(QStringLiteral("select clientPrice from Operations where id = ?"), {op->id}).toDouble(),
        33.5);
}

TEST_P(WorkOpWindow, NewOperationIsFiledUnderTheSelectedGroupAndReadOnlyWithoutTheRight)
{
    {
        TfrmWorkOp w(session, false);
        EXPECT_FALSE(w.panButtons->isVisibleTo(&w));
        w.selectGroup(displays);
        EXPECT_FALSE(w.btnDelete->isEnabled()); // it holds operations
        w.opNewClick();
        w.eCode->setText(QStringLiteral("D-1"));
        w.eOperation->setText(QStringLiteral("Почистване"));
        w.btnRecOpClick();
        EXPECT_EQ(w.eCode->text(), QString()); // a new one has no stored code
        EXPECT_TRUE(w.addOp->isVisibleTo(&w));
        w.eCode->setText(QStringLiteral("D-3"));
        w.btnRecOpClick();
        EXPECT_FALSE(w.addOp->isVisibleTo(&w));
        ASSERT_TRUE(w.chosen().has_value());
        EXPECT_EQ(w.chosen()->code, QStringLiteral("D-3"));
        EXPECT_EQ(w.chosen()->classification, QStringLiteral("NOKIA\\Дисплеи\\"));
        EXPECT_EQ(w.grid->rowCount(), 3);

        w.eSearch->setText(QStringLiteral("d-*"));
        w.btnGoClick();
        EXPECT_EQ(w.grid->rowCount(), 3);
        EXPECT_TRUE(w.eSearch->text().isEmpty());
    }
    session.rights[7] = QLatin1Char('0');
    TfrmWorkOp w(session, false);
    for (QAction *a : {w.opNew, w.opEdit, w.opDelete, w.mnEditPrices, w.mnDrag})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(w.btnAdd->isEnabled());
    EXPECT_FALSE(w.btnAddChild->isEnabled());
    EXPECT_TRUE(w.opPrint->isEnabled());
    EXPECT_EQ(w.tree->editTriggers(), QAbstractItemView::NoEditTriggers);
}

namespace {

// Types the name into the tree's open editor and confirms it.
void nameInTree(TfrmWorkOp &w, const QString &name)
{
    auto *editor = qobject_cast<QLineEdit *>(w.tree->indexWidget(w.tree->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(name);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits on the next turn of the loop, the window reads the tree again on the one after.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

TEST_P(WorkOpWindow, GroupsAreNamedInTheTreeAndRenamingRefilesTheList)
{
    TfrmWorkOp w(session, false);
    w.show();
    w.selectGroup(displays);
    w.btnAddChildClick();
    nameInTree(w, QString());
    EXPECT_EQ(prompt.texts(), QStringList{WorkOperations::duplicateGroupMessage()});
    EXPECT_EQ(WorkOperations(db(), prompt).groups().size(), 2);
    EXPECT_EQ(w.currentGroupId(), displays);

    w.btnAddChildClick();
    nameInTree(w, QStringLiteral(" Тъч "));
    EXPECT_EQ(w.lblPath->text(), QStringLiteral("NOKIA\\Дисплеи\\Тъч\\"));
    EXPECT_TRUE(w.btnDelete->isEnabled());

    w.selectGroup(displays);
    w.tree->editItem(w.tree->currentItem(), 0);
    nameInTree(w, QStringLiteral("Екрани"));
    EXPECT_EQ(w.lblPath->text(), QStringLiteral("NOKIA\\Екрани\\"));
    ASSERT_EQ(w.grid->rowCount(), 2);
    EXPECT_EQ(w.chosen()->classification, QStringLiteral("NOKIA\\Екрани\\"));

    // All operations by classification, then the group's list again.
    QList<GridTable> printed;
    w.preview = [&](DataGrid &g) { printed << g.shownTable(); };
    WorkOperation other;
    other.classification = QStringLiteral("APPLE\\");
    other.operation = QStringLiteral("Диагностика");
    WorkOperations(db(), prompt).saveOperation(other);
    w.opPrintClick();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].lines.size(), 3);
    EXPECT_TRUE(printed[0].lines[0].cells.contains(QStringLiteral("APPLE\\")));
    EXPECT_EQ(w.grid->rowCount(), 2);

    // Beside a root comes a new root, named after a brand through the root panel.
    w.selectGroup(nokia);
    w.btnAddClick();
    ASSERT_TRUE(w.addRoot->isVisibleTo(&w));
    EXPECT_FALSE(w.opNew->isEnabled());
    w.eMarka->setEditText(QStringLiteral(" LG"));
    prompt.expectQuestion(QStringLiteral("\"LG\""), PromptAnswer::Yes);
    w.bRecExpClick();
    EXPECT_FALSE(w.addRoot->isVisibleTo(&w));
    EXPECT_EQ(w.lblPath->text(), QStringLiteral("LG\\"));
    EXPECT_EQ(w.tree->topLevelItemCount(), 2);
}

MORLENTA_ON_BOTH_ENGINES(WorkOpWindow);
