#include "finance/tsr_course.h"

#include "common/local_settings.h"
#include "common/prompt.h"
#include "common/session.h"
#include "finance/rates.h"
#include "finance/tsr_currency.h"
#include "platform/data_grid.h"
#include "platform/date_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace morlenta::finance {

TsrCourse::TsrCourse(Session &session, QWidget *parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TsrCourse"));
    setWindowTitle(QStringLiteral("Валутни курсове"));
    resize(420, 480);
    grCourse = new DataGrid(this);
    grCourse->setObjectName(QStringLiteral("grCourse"));
    grCourse->setPrompt(session_.prompt);
    grCourse->setPrintTitle(QStringLiteral("Валутни курсове"));
    grCourse->setPrintFooter(session_.printFooter);
    grCourse->setExportName(QStringLiteral("Valutni_Kursove"));
    btnNew = new QPushButton(QStringLiteral("Нов курс..."), this);
    btnNew->setObjectName(QStringLiteral("btnNew"));
    btnExit = new QPushButton(QStringLiteral("Затвори"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnNew);
    buttons->addStretch();
    buttons->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grCourse);
    layout->addLayout(buttons);
    connect(btnNew, &QPushButton::clicked, this, &TsrCourse::btnNewClick);
    connect(btnExit, &QPushButton::clicked, this, &QDialog::accept);
    grCourse->setLayoutKey(QStringLiteral("Kursove"),
                           session_.settings ? &session_.settings->raw() : nullptr);
    reload();
}

void TsrCourse::reload()
{
    grCourse->setQuery(*session_.db,
                       QStringLiteral("select Data, USD, EUR from valcourse order by Data desc"));
    grCourse->setColumnCaption(QStringLiteral("Data"), QStringLiteral("Дата"));
    // PostgreSQL names the columns in lower case.
    grCourse->setColumnCaption(QStringLiteral("USD"), QStringLiteral("USD"));
    grCourse->setColumnCaption(QStringLiteral("EUR"), QStringLiteral("EUR"));
    auto rate = [](const QVariant &v) {
        return v.isNull() ? QString() : QString::number(v.toDouble(), 'f', 5);
    };
    grCourse->setColumnFormatter(QStringLiteral("USD"), rate);
    grCourse->setColumnFormatter(QStringLiteral("EUR"), rate);
    if (grCourse->rowCount() > 0)
        grCourse->setCurrentSourceRow(0);
}

void TsrCourse::btnNewClick()
{
    const QDate today = QDate::currentDate();
    const std::optional<QDate> day =
        TsrDate::choose(this, QStringLiteral("Дата на валутния курс"), today, {}, today);
    if (!day)
        return;
    if (storedRates(*session_.db, *day)) {
        session_.prompt->info(QStringLiteral("За тази дата вече има въведен валутен курс."));
        return;
    }
    if (TsrCurrency::enter(*session_.db, *session_.prompt, *day, this))
        reload();
}

} // namespace morlenta::finance
