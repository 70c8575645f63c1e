#include "platform/start_number_dialog.h"

#include "common/prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace morlenta {

TfmStartNo::TfmStartNo(Prompt &prompt, const QString &question, QWidget *parent)
    : QDialog(parent), prompt_(prompt)
{
    setObjectName(QStringLiteral("TfmStartNo"));
    setWindowTitle(QStringLiteral("Стартов номер"));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    lblQuestion_ = new QLabel(question, this);
    lblQuestion_->setObjectName(QStringLiteral("lblQuestion"));
    lblQuestion_->setWordWrap(true);
    eNumber_ = new QLineEdit(this);
    eNumber_->setObjectName(QStringLiteral("eNumber"));
    // Nine digits at most, so the number fits every number column.
    eNumber_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), eNumber_));
    lblQuestion_->setBuddy(eNumber_);
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    connect(btnOk_, &QPushButton::clicked, this, &TfmStartNo::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion_);
    layout->addWidget(eNumber_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    layout->addLayout(buttons);
    eNumber_->setFocus();
}

qint64 TfmStartNo::number() const
{
    bool ok = false;
    const qint64 n = eNumber_->text().toLongLong(&ok);
    return ok ? n : -1;
}

void TfmStartNo::accept()
{
    if (number() < 0) {
        prompt_.warning(QStringLiteral("Трябва да въведете номер!"));
        eNumber_->setFocus();
        return;
    }
    QDialog::accept();
}

void TfmStartNo::reject()
{
    accept();
}

qint64 TfmStartNo::ask(QWidget *parent, Prompt &prompt, const QString &question)
{
    TfmStartNo dialog(prompt, question, parent);
    dialog.exec();
    return dialog.number();
}

} // namespace morlenta
