#include "common/local_settings.h"
#include "common/session.h"
#include "data/database.h"
#include "documents/default_templates.h"
#include "documents/document_templates.h"
#include "orders/external_panel.h"
#include "orders/order_intake.h"
#include "orders/tfrm_spr_por.h"
#include "orders/tfrm_symp.h"
#include "orders/tsr_por.h"
#include "platform/data_grid.h"
#include "support/session_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::SessionTest;

namespace {

struct Printed {
    QString title, text;
};

// Typed key by key, as a user would (QTest's own typing knows only ASCII).
void type(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

QString rightsWithout(int position)
{
    QString r(60, QLatin1Char('1'));
    if (position > 0)
        r[position - 1] = QLatin1Char('0');
    return r;
}

} // namespace

class OrderWindows : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (IsSkipped())
            return;
        // Plain-text templates: the printed text can be read back.
        settings().setValue(QLatin1String(Local::Printer), QStringLiteral("Matrix"));
        folder = tempPath(QStringLiteral("templates"));
        documents::installDefaultTemplates(folder);
        session.templatesFolder = folder;
    }
    void hook(TsrPor &w)
    {
        w.askStartNumber = [this](const QString &q) {
            asked << q;
            return qint64(asked.size() == 1 ? 1000 : 50);
        };
        w.output = [this](const documents::FilledDocument &d, const QString &title) {
            printed.append({title, d.text});
        };
    }
    qint64 addOrder(const QString &client)
    {
        IntakeInput in;
        in.clientName = client;
        in.clientAddress = QStringLiteral("Русе");
        in.clientPhones = QStringLiteral("082 111");
        in.article = QStringLiteral("GSM");
        in.brand = QStringLiteral("Nokia");
        in.model = QStringLiteral("6310");
        in.serial = QStringLiteral("IMEI1");
        in.returnDate = QDate::currentDate();
        return OrderIntake(db()).save(in, 0, QDate::currentDate(), QTime::currentTime()).number;
    }
    QString folder;
    QStringList asked;
    QList<Printed> printed;
};

TEST_P(OrderWindows, IntakeOfACashRegisterFromTheFirstNumberOn)
{
    TsrPor w(session);
    hook(w);
    w.show();
    EXPECT_EQ(asked, QStringList{QStringLiteral("Въведете стартов номер на поръчка")});
    EXPECT_EQ(w.eNomer->text(), QStringLiteral("1000"));
    EXPECT_EQ(w.backDate->date(), QDate::currentDate().addDays(2));
    EXPECT_FALSE(w.eFiscal->isEnabled());

    w.eClientName->setText(QStringLiteral("  Петър О'Брайън  "));
    w.eClientAdres->setText(QStringLiteral("Бургас"));
    w.eClientPhone->setText(QStringLiteral("056 123"));
    w.eArt->setEditText(QStringLiteral("касов апарат"));
    prompt.expectQuestion(QStringLiteral("Не е намерен артикул \"касов апарат\""), PromptAnswer::No);
    w.eArtExit();
    EXPECT_EQ(w.eArt->currentText(), QString()); // declined: emptied
    EXPECT_FALSE(w.eFiscal->isEnabled());
    w.eArt->setEditText(QStringLiteral("КАСОВ АПАРАТ"));
    prompt.expectQuestion(QStringLiteral("Желаете ли да бъде добавен в базата данни?"), PromptAnswer::Yes);
    w.eArtExit();
    EXPECT_TRUE(w.eFiscal->isEnabled());
    EXPECT_FALSE(w.cmbType->isEnabled());
    EXPECT_EQ(w.backDate->date(), QDate::currentDate().addDays(1));
    w.eMarka->setEditText(QStringLiteral("Datecs"));
    prompt.expectQuestion(QStringLiteral("Не е намерена марка \"Datecs\""), PromptAnswer::Yes);
    w.eMarkaExit();
    w.eModels->setEditText(QStringLiteral("DP-25"));
    prompt.expectQuestion(QStringLiteral("Не е намерен модел \"Datecs DP-25\""), PromptAnswer::Yes);
    w.eModelsExit();
    type(w.eSerial, QStringLiteral("AB 12Ж-x"));
    EXPECT_EQ(w.eSerial->text(), QStringLiteral("AB12-x"));

    w.btnRecClick();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Трябва да въведете номера на фискалната памет!"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    EXPECT_EQ(w.eClientName->text(), QStringLiteral("Петър О'Брайън"));
    EXPECT_TRUE(w.btnRec->isEnabled());
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from porychka")).toInt(), 0);

    w.eFiscal->setText(QStringLiteral("DT445566"));
    type(w.eTaxAdmin, QStringLiteral("Бургас 1"));
    EXPECT_EQ(w.eTaxAdmin->text(), QStringLiteral("Бургас "));
    // Another computer takes the proposed number before this one saves.
    auto other = openAnother();
    other->insert(QStringLiteral("porychka"),
                  {{QStringLiteral("idPor"), 1000}, {QStringLiteral("porState"), 1}});
    w.btnRecClick();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.lastResult().number, 1001);
    EXPECT_EQ(asked.last(), QStringLiteral("Въведете стартов номер на протокол за ремонт на касови апарати"));
    ASSERT_EQ(printed.size(), 2);
    EXPECT_EQ(printed[0].title, QStringLiteral("Протокол № 50")); // the protocol before the card
    EXPECT_EQ(printed[1].title, QStringLiteral("Сервизна карта № 1001"));
    EXPECT_TRUE(printed[1].text.contains(QStringLiteral("1001")));
    EXPECT_TRUE(printed[1].text.contains(QStringLiteral("Петър О'Брайън")));
    EXPECT_EQ(db().scalar(QStringLiteral("select clientNames from porychka where idPor = 1001")).toString(),
              QStringLiteral("Петър О'Брайън"));
    EXPECT_EQ(db().scalar(QStringLiteral("select ProtNo from protokol_ka where idPor = 1001")).toInt(), 50);
    EXPECT_FALSE(w.btnRec->isEnabled());
}

TEST_P(OrderWindows, IntakeSendsTheDeviceOnAndReportsPreviousRepairs)
{
    addOrder(QStringLiteral("Стар Клиент"));
    TsrPor w(session);
    hook(w);
    QStringList shownReport;
    w.showPrevious = [&](const QStringList &lines) { shownReport = lines; };
    w.show();
    EXPECT_TRUE(asked.isEmpty());
    w.eArt->setEditText(QStringLiteral("GSM"));
    w.eMarka->setEditText(QStringLiteral("Nokia"));
    w.eModels->setEditText(QStringLiteral("6310"));
    w.eSerial->setText(QStringLiteral("OTHER"));
    w.btnCheckClick();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Няма предишни ремонти"));
    w.eSerial->setText(QStringLiteral("IMEI1"));
    w.btnCheckClick();
    ASSERT_GT(shownReport.size(), 2);
    EXPECT_TRUE(shownReport.contains(QStringLiteral("Клиент: Стар Клиент")));

    w.eClientName->setText(QStringLiteral("Нов"));
    w.eClientAdres->setText(QStringLiteral("Варна"));
    w.eClientPhone->setText(QStringLiteral("052"));
    w.chkPrn->setChecked(false);
    w.chkExt->setChecked(true);
    w.btnRecClick();
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_TRUE(w.pnlExt->isVisible());
    EXPECT_FALSE(w.chkExt->isEnabled());
    w.pnlExt->bRecExp->click();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Въведете името на сервиза!"));
    w.pnlExt->cmbExtName->setEditText(QStringLiteral("Сервиз Север"));
    w.pnlExt->eExtAdres->setText(QStringLiteral("Шумен"));
    w.pnlExt->bRecExp->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const qint64 id = w.lastResult().number;
    EXPECT_EQ(db().scalar(QStringLiteral("select porState from porychka where idPor = ?"), {id}).toInt(), 5);
    EXPECT_EQ(
        db().scalar(QStringLiteral("select Contragent from externals where idPor = ?"), {id}).toString(),
        QStringLiteral("Сервиз Север"));
}

TEST_P(OrderWindows, RegisterListsMarksSendsAndPrints)
{
    session.rights = rightsWithout(42);
    const qint64 a = addOrder(QStringLiteral("Иван Иванов"));
    const qint64 b = addOrder(QStringLiteral("Мария Петрова"));
    db().execute(QStringLiteral("update porychka set ready = ?, readyDate = ? where idPor = ?"),
                 {true, QDate::currentDate(), b});
    TfrmSprPor w(session);
    w.output = [this](const documents::FilledDocument &d, const QString &title) {
        printed.append({title, d.text});
    };
    w.show();
    EXPECT_TRUE(w.rb1->isChecked());
    EXPECT_EQ(w.date1->date(), QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
    w.BitBtn1Click();
    EXPECT_EQ(w.dtPor->rowCount(), 1);
    EXPECT_EQ(w.lblFilter->text(), QStringLiteral("Неотчетени (неизпълнени) ремонти"));
    EXPECT_FALSE(w.dtPor->isColumnVisible(QStringLiteral("Pech")));
    EXPECT_EQ(w.currentOrder(), a);
    EXPECT_TRUE(w.mnWaitPart->isEnabled());
    EXPECT_FALSE(w.popPrnCard->isEnabled());

    w.mnWaitPart->trigger();
    EXPECT_EQ(db().scalar(QStringLiteral("select porState from porychka where idPor = ?"), {a}).toInt(), 2);
    EXPECT_FALSE(w.mnWaitPart->isEnabled());

    w.prnPor->trigger();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0].text.contains(QStringLiteral("Иван Иванов")));

    w.btnExport->trigger();
    EXPECT_TRUE(w.pnlExt->isVisible());
    EXPECT_FALSE(w.dtPor->isEnabled());
    w.pnlExt->cmbExtName->setEditText(QStringLiteral("Юг"));
    w.bRecExpClick();
    EXPECT_FALSE(w.pnlExt->isVisible());
    EXPECT_TRUE(w.dtPor->isEnabled());
    EXPECT_EQ(db().scalar(QStringLiteral("select porState from porychka where idPor = ?"), {a}).toInt(), 5);
    w.btnExport->trigger();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Тази поръчка е изпратена в Юг и не е върната!"));

    w.rb2->setChecked(true);
    w.BitBtn1Click();
    EXPECT_EQ(w.currentOrder(), b);
    EXPECT_TRUE(w.popPrnCard->isEnabled());
    EXPECT_FALSE(w.btnExport->isEnabled());

    // The number clears and locks the other criteria.
    w.eNames->setText(QStringLiteral("Мария"));
    w.ePorNo->setText(QString::number(a));
    EXPECT_TRUE(w.eNames->text().isEmpty());
    EXPECT_FALSE(w.eNames->isEnabled());
    w.BitBtn2Click();
    EXPECT_EQ(w.currentOrder(), a);
    w.ePorNo->clear();
    w.eNames->setText(QStringLiteral("Мар"));
    w.BitBtn2Click();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Не сте задали критерий за търсене!"));
    w.eNames->setText(QStringLiteral("Нямаме"));
    w.BitBtn2Click();
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Няма намерени данни по зададените критерии!"));
    EXPECT_FALSE(w.prnPor->isEnabled());
}

TEST_P(OrderWindows, ProfitColumnOnlyWithItsRight)
{
    addOrder(QStringLiteral("Клиент"));
    TfrmSprPor w(session);
    w.BitBtn1Click();
    EXPECT_TRUE(w.dtPor->isColumnVisible(QStringLiteral("Pech")));
    EXPECT_TRUE(w.dtPor->gridModel()->isSummed(w.dtPor->gridModel()->columnIndex(QStringLiteral("Pech"))));
}

TEST_P(OrderWindows, SymptomChooserAppendsTheLineToTheDefect)
{
    TfrmSymp cat(session, true);
    cat.btnNewClick();
    EXPECT_FALSE(cat.btnClose->isEnabled());
    cat.eDescription->setText(QStringLiteral("  "));
    cat.btnSaveClick();
    EXPECT_EQ(prompt.texts().last(),
              QStringLiteral("Полето за описание на симптома не може да бъде празно!"));
    EXPECT_TRUE(cat.editing());
    cat.eDescription->setText(QStringLiteral("Не зарежда"));
    cat.cmbMarka->setEditText(QStringLiteral("Nokia"));
    cat.btnSaveClick();
    EXPECT_FALSE(cat.editing());
    EXPECT_EQ(cat.chosenLine(), QStringLiteral("Не зарежда, група: Nokia;"));

    addOrder(QStringLiteral("Клиент"));
    TsrPor w(session);
    hook(w);
    w.chooseSymptom = [&] { return cat.chosenLine(); };
    w.show();
    w.eDefect->setPlainText(QStringLiteral("Пада"));
    w.addDefectClick();
    EXPECT_EQ(w.eDefect->toPlainText(), QStringLiteral("Пада\nНе зарежда, група: Nokia;"));
}

MORLENTA_ON_BOTH_ENGINES(OrderWindows);
