#include "shell/tfrm_myinfo.h"

#include "common/prompt.h"
#include "data/database.h"
#include "platform/help_viewer.h"
#include "shell/own_firm.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace morlenta::shell {

TfrmMyInfo::TfrmMyInfo(data::Database &db, Prompt &prompt, QWidget *parent)
    : QDialog(parent), db_(db), prompt_(prompt)
{
    setObjectName(QStringLiteral("TfrmMyInfo"));
    setWindowTitle(QStringLiteral("Данни за фирмата"));
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    eName = edit("eName");
    eNDR = edit("eNDR");
    eBul = edit("eBul");
    eAdres = edit("eAdres");
    eMol = edit("eMol");
    eServName = edit("eServName");
    eServAdres = edit("eServAdres");
    eServPhones = edit("eServPhones");
    // Only digits reach the tax number.
    eNDR->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), eNDR));
    eNDR->setMaxLength(10);
    eBul->setMaxLength(13);

    auto *firm = new QGroupBox(QStringLiteral("Фирма"), this);
    auto *firmForm = new QFormLayout(firm);
    firmForm->addRow(QStringLiteral("Име на фирмата:"), eName);
    firmForm->addRow(QStringLiteral("Данъчен номер:"), eNDR);
    firmForm->addRow(QStringLiteral("БУЛСТАТ:"), eBul);
    firmForm->addRow(QStringLiteral("Адрес:"), eAdres);
    firmForm->addRow(QStringLiteral("МОЛ:"), eMol);
    auto *service = new QGroupBox(QStringLiteral("Сервиз"), this);
    auto *serviceForm = new QFormLayout(service);
    serviceForm->addRow(QStringLiteral("Име на сервиза:"), eServName);
    serviceForm->addRow(QStringLiteral("Адрес на сервиза:"), eServAdres);
    serviceForm->addRow(QStringLiteral("Телефони:"), eServPhones);

    btnRec = new QPushButton(QStringLiteral("Запис"), this);
    btnRec->setObjectName(QStringLiteral("btnRec"));
    btnRec->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отказ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *help = new QPushButton(QStringLiteral("Помощ"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(btnRec);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(firm);
    layout->addWidget(service);
    layout->addLayout(buttons);

    connect(btnRec, &QPushButton::clicked, this, &TfrmMyInfo::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMyInfo::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpTopic(QStringLiteral("Данни_за_фирмата"), this); });

    const OwnFirm f = loadOwnFirm(db_);
    eName->setText(f.name);
    eNDR->setText(f.taxNumber);
    eBul->setText(f.bulstat);
    eAdres->setText(f.address);
    eMol->setText(f.mol);
    eServName->setText(f.serviceName);
    eServAdres->setText(f.serviceAddress);
    eServPhones->setText(f.servicePhones);
    resize(480, sizeHint().height());
}

void TfrmMyInfo::setCancelEnabled(bool enabled)
{
    btnCancel->setEnabled(enabled);
}

void TfrmMyInfo::btnRecClick()
{
    OwnFirm f{eName->text(), eNDR->text(),      eBul->text(),       eAdres->text(),
              eMol->text(),  eServName->text(), eServAdres->text(), eServPhones->text()};
    const OwnFirmCheck check = checkOwnFirm(f);
    // The trimmed texts go back into their fields.
    eName->setText(f.name);
    eAdres->setText(f.address);
    eMol->setText(f.mol);
    eServName->setText(f.serviceName);
    eServAdres->setText(f.serviceAddress);
    eServPhones->setText(f.servicePhones);
    if (check.field != OwnFirmField::None) {
        prompt_.error(check.message);
        QLineEdit *fields[] = {nullptr, eName, eNDR, eBul, eAdres, eMol, eServName, eServAdres, eServPhones};
        QLineEdit *target = fields[static_cast<int>(check.field)];
        target->setFocus();
        if (check.field == OwnFirmField::TaxNumber || check.field == OwnFirmField::Bulstat)
            target->selectAll();
        return;
    }
    try {
        saveOwnFirm(db_, f);
    } catch (const data::DbError &e) {
        prompt_.error(e.message());
        return;
    }
    btnCancel->setEnabled(true);
    accept();
}

void TfrmMyInfo::reject()
{
    if (btnCancel->isEnabled())
        QDialog::reject();
}

void TfrmMyInfo::closeEvent(QCloseEvent *event)
{
    if (btnCancel->isEnabled())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

} // namespace morlenta::shell
