#include "orders/external_panel.h"

#include "common/prompt.h"
#include "data/database.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morlenta::orders {

ExternalPanel::ExternalPanel(data::Database &db, QWidget *parent) : QFrame(parent), db_(db)
{
    setObjectName(QStringLiteral("pnlExt"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    cmbExtName = new QComboBox(this);
    cmbExtName->setObjectName(QStringLiteral("cmbExtName"));
    cmbExtName->setEditable(true);
    cmbExtName->setInsertPolicy(QComboBox::NoInsert);
    cmbExtName->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    // The service's name and address columns are that long.
    cmbExtName->lineEdit()->setMaxLength(20);
    eExtAdres = new QLineEdit(this);
    eExtAdres->setObjectName(QStringLiteral("eExtAdres"));
    eExtAdres->setMaxLength(50);
    bRecExp = new QPushButton(QStringLiteral("Изпрати"), this);
    bRecExp->setObjectName(QStringLiteral("bRecExp"));
    bCancel = new QPushButton(QStringLiteral("Затвори"), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    auto *g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("<b>Изпращане към външен сервиз</b>"), this), 0, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Сервиз"), this), 1, 0);
    g->addWidget(cmbExtName, 1, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Адрес"), this), 2, 0);
    g->addWidget(eExtAdres, 2, 1, 1, 2);
    g->addWidget(bRecExp, 3, 1);
    g->addWidget(bCancel, 3, 2);
    resize(440, 140);
    hide();
    connect(cmbExtName, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (editable_ && cmbExtName->count() > 0)
            eExtAdres->setText(otherServiceAddress(db_, name));
    });
}

void ExternalPanel::open(const DispatchTarget &target)
{
    editable_ = target.editable;
    cmbExtName->blockSignals(true);
    cmbExtName->clear();
    if (target.editable && target.offerList)
        cmbExtName->addItems(otherServices(db_));
    cmbExtName->setEditText(target.name);
    cmbExtName->blockSignals(false);
    eExtAdres->setText(target.address);
    cmbExtName->setEnabled(target.editable);
    eExtAdres->setReadOnly(!target.editable);
    centre();
    show();
    raise();
    if (target.editable)
        cmbExtName->setFocus();
    else
        bRecExp->setFocus();
}

void ExternalPanel::centre()
{
    if (QWidget *w = parentWidget())
        move((w->width() - width()) / 2, (w->height() - height()) / 2);
}

DispatchTarget ExternalPanel::target() const
{
    DispatchTarget t;
    t.name = cmbExtName->currentText();
    t.address = eExtAdres->text();
    t.editable = editable_;
    return t;
}

bool ExternalPanel::record(Prompt &prompt, qint64 idPor, const QDate &today)
{
    try {
        if (const auto refusal = recordDispatch(db_, idPor, target(), today)) {
            prompt.show(Prompt::messageCaption(), *refusal, PromptIcon::Warning);
            cmbExtName->setFocus();
            return false;
        }
    } catch (const data::DbError &e) {
        prompt.show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        return false;
    }
    return true;
}

} // namespace morlenta::orders
