#include "staff/tsr_add_clerk.h"

#include "common/prompt.h"
#include "common/rights.h"
#include "data/database.h"
#include "platform/help_viewer.h"
#include "staff/rights_tree.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace morlenta::staff {

TsrAddClerk::TsrAddClerk(data::Database &db, Prompt &prompt, Clerk clerk, QWidget *parent)
    : QDialog(parent), db_(db), prompt_(prompt), clerk_(std::move(clerk))
{
    setObjectName(QStringLiteral("TsrAddClerk"));
    setWindowTitle(clerk_.id == 0 ? QStringLiteral("Нов служител") : QStringLiteral("Редакция на служител"));
    resize(760, 560);
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    auto combo = [this](const char *name, const QStringList &items) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        return c;
    };
    eName = edit("eName");
    eName->setMaxLength(255);
    eNick = edit("eNick");
    ePass = edit("ePass");
    ePass->setEchoMode(QLineEdit::Password);
    if (clerk_.id != 0)
        ePass->setPlaceholderText(QStringLiteral("без промяна"));
    cmbWorker = combo("cmbWorker", {QStringLiteral("Техник"), QStringLiteral("Служител")});
    cmbStatus = combo("cmbStatus", {QStringLiteral("Работещ"), QStringLiteral("Напуснал")});
    cmbPrefs = combo("cmbPrefs", {QStringLiteral("0 - всички права"), QStringLiteral("1 - ежедневна работа"),
                                  QStringLiteral("2 - начални права")});
    ePerc = new QSpinBox(this);
    ePerc->setObjectName(QStringLiteral("ePerc"));
    ePerc->setRange(0, 100);
    ePerc->setSuffix(QStringLiteral(" %"));
    ePay = new QDoubleSpinBox(this);
    ePay->setObjectName(QStringLiteral("ePay"));
    ePay->setRange(0, 9999999.99);
    ePay->setDecimals(2);
    ePay->setSuffix(QStringLiteral(" лв."));
    mInfo = new QPlainTextEdit(this);
    mInfo->setObjectName(QStringLiteral("mInfo"));
    mInfo->setMaximumHeight(90);

    chkTree = new QTreeWidget(this);
    chkTree->setObjectName(QStringLiteral("chkTree"));
    chkTree->setHeaderLabel(QStringLiteral("Права за достъп"));
    for (const RightNode &n : rightsTree()) {
        QTreeWidgetItem *parentItem = n.parent > 0 ? nodes_[size_t(n.parent - 1)] : nullptr;
        auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(chkTree);
        item->setText(0, QString::fromUtf8(n.caption));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
        if (isRightsGroup(n.position))
            flags |= Qt::ItemIsAutoTristate;
        item->setFlags(flags);
        item->setCheckState(0, Qt::Unchecked);
        nodes_.push_back(item);
    }

    btnRec = new QPushButton(QStringLiteral("Запис"), this);
    btnRec->setObjectName(QStringLiteral("btnRec"));
    btnRec->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отказ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnHelp = new QPushButton(QStringLiteral("Помощ"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Име:"), eName);
    form->addRow(QStringLiteral("Вид:"), cmbWorker);
    form->addRow(QStringLiteral("Процент:"), ePerc);
    form->addRow(QStringLiteral("Основна заплата:"), ePay);
    form->addRow(QStringLiteral("Статус:"), cmbStatus);
    form->addRow(QStringLiteral("Потребителско име:"), eNick);
    form->addRow(QStringLiteral("Парола:"), ePass);
    form->addRow(QStringLiteral("Ниво на правата:"), cmbPrefs);
    form->addRow(QStringLiteral("Информация:"), mInfo);
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(chkTree, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnHelp);
    buttons->addStretch();
    buttons->addWidget(btnRec);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    // The stored values, before the change handlers are connected.
    eName->setText(clerk_.name);
    eNick->setText(clerk_.nick);
    mInfo->setPlainText(clerk_.info);
    ePay->setValue(clerk_.pay);
    ePerc->setValue(clerk_.percent);
    cmbStatus->setCurrentIndex(clerk_.active ? 0 : 1);
    cmbWorker->setCurrentIndex(clerk_.worker == KindEmployee ? 1 : 0);
    cmbPrefs->setCurrentIndex(qBound(0, clerk_.nivo, 2));
    ePerc->setEnabled(clerk_.worker != KindEmployee);
    loadTree(clerk_.rights, false);
    chkTree->expandAll();
    const bool admin = clerk_.id == kAdministratorId;
    for (QWidget *w : {static_cast<QWidget *>(cmbStatus), static_cast<QWidget *>(cmbWorker),
                       static_cast<QWidget *>(cmbPrefs), static_cast<QWidget *>(chkTree)})
        w->setEnabled(!admin);

    connect(cmbWorker, &QComboBox::currentIndexChanged, this, &TsrAddClerk::cmbWorkerChange);
    connect(cmbPrefs, &QComboBox::currentIndexChanged, this, &TsrAddClerk::cmbPrefsChange);
    connect(btnRec, &QPushButton::clicked, this, &TsrAddClerk::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this,
            [this] { showHelpTopic(QStringLiteral("Въвеждане_редакция_на_служители"), this); });
    eName->setFocus();
}

void TsrAddClerk::loadTree(const QString &rights, bool reportNotDigits)
{
    QList<int> notDigits;
    const QString states = treeRights(rights, &notDigits);
    if (reportNotDigits)
        for (int position : notDigits)
            prompt_.info(QString::number(position));
    // Members only: every group follows its members by itself.
    for (const RightNode &n : rightsTree())
        if (!isRightsGroup(n.position))
            nodes_[size_t(n.position - 1)]->setCheckState(
                0, states.at(n.position - 1) == QLatin1Char('1') ? Qt::Checked : Qt::Unchecked);
}

QString TsrAddClerk::treeString() const
{
    QString s;
    s.reserve(qsizetype(nodes_.size()));
    for (const QTreeWidgetItem *item : nodes_) {
        switch (item->checkState(0)) {
        case Qt::Checked: s += QLatin1Char('1'); break;
        case Qt::PartiallyChecked: s += QLatin1Char('3'); break;
        default: s += QLatin1Char('2'); break;
        }
    }
    return s;
}

void TsrAddClerk::cmbWorkerChange(int kind)
{
    const bool employee = kind == KindEmployee;
    if (employee)
        ePerc->setValue(0);
    ePerc->setEnabled(!employee);
}

void TsrAddClerk::cmbPrefsChange(int level)
{
    loadTree(rightsPreset(level), true);
}

void TsrAddClerk::btnRecClick()
{
    Clerk c = clerk_;
    c.name = eName->text();
    c.nick = eNick->text();
    c.info = mInfo->toPlainText();
    c.pay = ePay->value();
    c.percent = ePerc->value();
    c.worker = cmbWorker->currentIndex();
    c.nivo = cmbPrefs->currentIndex();
    c.active = cmbStatus->currentIndex() == 0;
    if (c.id != kAdministratorId)
        c.rights = treeString();
    ClerkStore store(db_, prompt_);
    bool saved = false;
    try {
        saved = store.save(c, ePass->text());
    } catch (const data::DbError &e) {
        prompt_.error(e.message());
        return;
    }
    // The trimmed texts go back into the fields.
    eName->setText(c.name);
    eNick->setText(c.nick);
    ePass->setText(ePass->text().trimmed());
    if (!saved) {
        eName->setFocus();
        eName->selectAll();
        return;
    }
    clerk_ = c;
    accept();
}

} // namespace morlenta::staff
