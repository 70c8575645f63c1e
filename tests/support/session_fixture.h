#pragma once

// A session on a fresh database, logged in as the administrator with every
// right, with the shop's preferences; multi-currency mode on request.

#include "common/preferences.h"
#include "common/session.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <memory>

namespace morlenta::test {

class SessionTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        prefs = std::make_unique<Preferences>(db());
        prefs->fillDefaults(QDate::currentDate());
        session.db = &db();
        session.prompt = &prompt;
        session.settings = &settings();
        session.prefs = prefs.get();
        session.clerkId = 1;
        session.clerkName = QStringLiteral("Администратор");
        session.rights = QString(60, QLatin1Char('1'));
    }
    void setMultiCurrency(bool on) { prefs->setInt(QLatin1String(Pref::Currency), on ? 1 : 0); }

    FakePrompt prompt;
    std::unique_ptr<Preferences> prefs;
    Session session;
};

} // namespace morlenta::test
