#include "shell/tsr_pass.h"

#include "platform/help_viewer.h"
#include "shell/login.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace morlenta::shell {

TsrPass::TsrPass(Login &login, QWidget *parent) : QDialog(parent), login_(login)
{
    setObjectName(QStringLiteral("TsrPass"));
    setWindowTitle(QStringLiteral("Вход в програмата"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    ePotr = new QLineEdit(this);
    ePotr->setObjectName(QStringLiteral("ePotr"));
    ePass = new QLineEdit(this);
    ePass->setObjectName(QStringLiteral("ePass"));
    ePass->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Потребител:"), ePotr);
    form->addRow(QStringLiteral("Парола:"), ePass);
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("Вход"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Отказ"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    auto *help = new QPushButton(QStringLiteral("Помощ"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TsrPass::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { showHelpTopic(QStringLiteral("ИмеПарола"), this); });
    resize(360, sizeHint().height());
}

void TsrPass::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    bool first = false;
    ePotr->setText(login_.rememberedName(&first));
    ePass->clear();
    ePass->setFocus();
    if (first)
        // The first start here explains how to log in, once the window is up.
        QTimer::singleShot(0, this, [this] { showHelpTopic(QStringLiteral("ИмеПарола"), this); });
}

void TsrPass::BitBtn1Click()
{
    switch (login_.attempt(ePotr->text(), ePass->text())) {
    case Login::Outcome::NeedPassword: ePass->setFocus(); return;
    case Login::Outcome::NeedName: ePotr->setFocus(); return;
    case Login::Outcome::LoggedIn: accept(); return;
    case Login::Outcome::TooManyFailures: reject(); return;
    case Login::Outcome::Wrong:
        ePass->clear();
        ePotr->selectAll();
        ePotr->setFocus();
        return;
    }
}

} // namespace morlenta::shell
