#include "finance/tsr_currency.h"

#include "common/money.h"
#include "common/prompt.h"
#include "data/database.h"
#include "finance/cash_desk.h"
#include "finance/rates.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morlenta::finance {

namespace {

QString rateText(double rate)
{
    return QString::number(rate, 'g', 10);
}

} // namespace

TsrCurrency::TsrCurrency(data::Database &db, Prompt &prompt, const QDate &day, QWidget *parent)
    : QDialog(parent), db_(db), prompt_(prompt), day_(day)
{
    setObjectName(QStringLiteral("TsrCurrency"));
    setWindowTitle(QStringLiteral("Валутен курс"));
    stDate = new QLabel(dateText(day), this);
    stDate->setObjectName(QStringLiteral("stDate"));
    QFont bold = stDate->font();
    bold.setBold(true);
    stDate->setFont(bold);
    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit2 = new QLineEdit(this);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    BitBtn1 = new QPushButton(QStringLiteral("Запис"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Отказ"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Курс за дата:"), stDate);
    form->addRow(QStringLiteral("1 USD = (лв.)"), DBEdit1);
    form->addRow(QStringLiteral("1 EUR = (лв.)"), DBEdit2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(QStringLiteral("Няма въведен валутен курс за тази дата."), this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addLayout(buttons);

    const DayRates proposed = proposedRates(db_, day_);
    DBEdit1->setText(rateText(proposed.usd));
    DBEdit2->setText(rateText(proposed.eur));
    DBEdit1->setFocus();
    DBEdit1->selectAll();

    connect(BitBtn1, &QPushButton::clicked, this, &TsrCurrency::save);
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        done_ = true;
        QDialog::reject();
    });
}

bool TsrCurrency::enter(data::Database &db, Prompt &prompt, const QDate &day, QWidget *parent)
{
    TsrCurrency w(db, prompt, day, parent);
    return w.exec() == QDialog::Accepted;
}

void TsrCurrency::save()
{
    const double usd = parseAmount(DBEdit1->text()).value_or(0);
    const double eur = parseAmount(DBEdit2->text()).value_or(0);
    if (const int field = invalidRateField(usd, eur)) {
        prompt_.show(Prompt::warningCaption(), invalidRatesText(), PromptIcon::Error);
        QLineEdit *e = field == 1 ? DBEdit1 : DBEdit2;
        e->setFocus();
        e->selectAll();
        return;
    }
    try {
        saveRates(db_, {day_, usd, eur});
    } catch (const data::DbError &e) {
        prompt_.error(e.message());
        return;
    }
    done_ = true;
    accept();
}

void TsrCurrency::closeEvent(QCloseEvent *event)
{
    if (!done_)
        event->ignore();
}

void TsrCurrency::reject()
{
    // Escape does not leave an unsaved day; the cancel button does.
    if (done_)
        QDialog::reject();
}

} // namespace morlenta::finance
