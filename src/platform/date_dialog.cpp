#include "platform/date_dialog.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace morlenta {

TsrDate::TsrDate(QWidget *parent, const QString &caption) : QDialog(parent)
{
    setObjectName(QStringLiteral("TsrDate"));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Избор на дата") : caption);
    lblDate_ = new QLabel(QStringLiteral("Дата:"), this);
    lblDate_->setObjectName(QStringLiteral("lblDate"));
    eDate_ = new QDateEdit(QDate::currentDate(), this);
    eDate_->setObjectName(QStringLiteral("eDate"));
    eDate_->setCalendarPopup(true);
    eDate_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lblDate_->setBuddy(eDate_);
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("Отказ"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lblDate_, 0, 0);
    layout->addWidget(eDate_, 0, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons, 1, 0, 1, 2);
    eDate_->setFocus();
}

void TsrDate::setLabel(const QString &text)
{
    lblDate_->setText(text);
}

void TsrDate::setDate(const QDate &date)
{
    eDate_->setDate(date);
}

QDate TsrDate::date() const
{
    return eDate_->date();
}

void TsrDate::setDateRange(const QDate &earliest, const QDate &latest)
{
    const QDate current = eDate_->date();
    eDate_->setMinimumDate(earliest.isValid() ? earliest : QDate(1900, 1, 1));
    eDate_->setMaximumDate(latest.isValid() ? latest : QDate(9999, 12, 31));
    eDate_->setDate(current); // clamped by the edit
}

std::optional<QDate> TsrDate::choose(QWidget *parent, const QString &caption, const QDate &initial,
                                     const QDate &earliest, const QDate &latest)
{
    TsrDate dialog(parent, caption);
    dialog.setDate(initial.isValid() ? initial : QDate::currentDate());
    dialog.setDateRange(earliest, latest);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.date();
}

} // namespace morlenta
