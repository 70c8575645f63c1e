#include "common/local_settings.h"
#include "data/database.h"
#include "documents/default_templates.h"
#include "documents/tfrm_prn_card.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QCheckBox>
#include <QPushButton>

using namespace morlenta;
using namespace morlenta::documents;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

class PrnCardTest : public DbTest {};

TEST_P(PrnCardTest, PricesBoxRefillsTheCardAndAMissingTemplateDisablesPrinting)
{
    db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), 8},
                                             {QStringLiteral("clientNames"), QStringLiteral("Мария")},
                                             {QStringLiteral("taksa"), 10.0},
                                             {QStringLiteral("sumAll"), 10.0},
                                             {QStringLiteral("porState"), 8}});
    LocalSettings settings(tempPath(QStringLiteral("Morlenta.conf")));
    settings.setValue(QLatin1String(Local::Printer), QStringLiteral("Matrix"));
    FakePrompt prompt;
    const QString folder = tempPath(QStringLiteral("db"));
    {
        TfrmPrnCard missing(db(), prompt, settings, folder, QString(), 8);
        EXPECT_FALSE(missing.BitBtn1->isEnabled());
        EXPECT_TRUE(prompt.texts().last().contains(QStringLiteral("READY_CARD.TXT")));
    }
    installDefaultTemplates(folder);
    TfrmPrnCard w(db(), prompt, settings, folder, QString(), 8);
    EXPECT_TRUE(w.BitBtn1->isEnabled());
    EXPECT_TRUE(w.shownText().contains(QStringLiteral("Мария")));
    EXPECT_TRUE(w.shownText().contains(QStringLiteral("Сервизна такса:    10.00 лв.")));
    EXPECT_FALSE(w.shownText().contains(QStringLiteral("Състояние: П"))); // state 8 has no text
    w.Check1->setChecked(false);
    EXPECT_FALSE(w.shownText().contains(QStringLiteral("Сервизна такса")));
    EXPECT_TRUE(w.shownText().contains(QStringLiteral("Обща сума:    10.00 лв.")));
}

MORLENTA_ON_BOTH_ENGINES(PrnCardTest);
