#include "shell/login.h"

#include "common/local_settings.h"
#include "common/password.h"
#include "data/database.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

using namespace morlenta;
using namespace morlenta::shell;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

class LoginTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        addClerk(QStringLiteral("Мария Иванова"), QStringLiteral("maria"),
                 hashPassword(QStringLiteral("Тайна 1")), true);
        addClerk(QStringLiteral("Стар Служител"), QStringLiteral("old"), QStringLiteral("1234"), false);
        addClerk(QStringLiteral("Петър"), QStringLiteral("petar"), QStringLiteral("plain'1"), true);
    }
    void addClerk(const QString &name, const QString &nick, const QString &password, bool active)
    {
        db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), name},
                                               {QStringLiteral("Nick"), nick},
                                               {QStringLiteral("Password"), password},
                                               {QStringLiteral("Active"), active},
                                               {QStringLiteral("preferences"), QStringLiteral("121")}});
    }
    FakePrompt prompt;
};

const QString kWrong = QStringLiteral("Грешно име и/или парола. Опитайте пак");

TEST_P(LoginTest, BlanksAroundNameAndPasswordAreTrimmed)
{
    Login login(db(), prompt, settings());
    EXPECT_EQ(login.attempt(QStringLiteral("  maria "), QStringLiteral(" Тайна 1  ")),
              Login::Outcome::LoggedIn);
    EXPECT_EQ(login.clerk().name, QStringLiteral("Мария Иванова"));
    EXPECT_EQ(login.clerk().rights, QStringLiteral("121"));
    EXPECT_EQ(settings().text(QLatin1String(Local::User)), QStringLiteral("maria"));
    EXPECT_TRUE(prompt.records().isEmpty());
}

TEST_P(LoginTest, EmptyFieldsAskForThemWithoutCountingAFailure)
{
    Login login(db(), prompt, settings());
    EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("   ")), Login::Outcome::NeedPassword);
    EXPECT_EQ(login.attempt(QString(), QStringLiteral("x")), Login::Outcome::NeedName);
    EXPECT_EQ(login.failures(), 0);
}

TEST_P(LoginTest, InactiveClerkAndWrongCaseGetTheOrdinaryMessage)
{
    Login login(db(), prompt, settings());
    EXPECT_EQ(login.attempt(QStringLiteral("old"), QStringLiteral("1234")), Login::Outcome::Wrong);
    EXPECT_EQ(login.attempt(QStringLiteral("Maria"), QStringLiteral("Тайна 1")), Login::Outcome::Wrong);
    EXPECT_EQ(prompt.texts(), (QStringList{kWrong, kWrong}));
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Грешка"));
}

TEST_P(LoginTest, TwoFailuresThenSuccessAndThreeFailuresEnd)
{
    {
        Login login(db(), prompt, settings());
        EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("x")), Login::Outcome::Wrong);
        EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("y")), Login::Outcome::Wrong);
        EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("Тайна 1")),
                  Login::Outcome::LoggedIn);
    }
    FakePrompt other;
    Login login(db(), other, settings());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("x")), Login::Outcome::Wrong);
    EXPECT_EQ(login.attempt(QStringLiteral("maria"), QStringLiteral("x")), Login::Outcome::TooManyFailures);
    EXPECT_EQ(other.texts().last(), QStringLiteral("Сгрешихте 3 пъти. Довиждане"));
}

TEST_P(LoginTest, PlainPasswordOfAnOlderFileIsReplacedByItsHash)
{
    Login login(db(), prompt, settings());
    ASSERT_EQ(login.attempt(QStringLiteral("petar"), QStringLiteral("plain'1")), Login::Outcome::LoggedIn);
    const QString stored =
        db().scalar(QStringLiteral("select Password from clerks where Nick = ?"), {QStringLiteral("petar")})
            .toString();
    EXPECT_TRUE(isPasswordHash(stored));
    EXPECT_TRUE(checkPassword(stored, QStringLiteral("plain'1")));
    Login again(db(), prompt, settings());
    EXPECT_EQ(again.attempt(QStringLiteral("petar"), QStringLiteral("plain'1")), Login::Outcome::LoggedIn);
}

TEST_P(LoginTest, FirstLoginHereRemembersTheAdministrator)
{
    Login login(db(), prompt, settings());
    bool first = false;
    EXPECT_EQ(login.rememberedName(&first), QStringLiteral("Administrator"));
    EXPECT_TRUE(first);
    EXPECT_EQ(login.attempt(QStringLiteral("Administrator"), QStringLiteral("admin")),
              Login::Outcome::LoggedIn);
    EXPECT_EQ(login.clerk().id, 1);
    EXPECT_EQ(login.rememberedName(&first), QStringLiteral("Administrator"));
    EXPECT_FALSE(first);
}

MORLENTA_ON_BOTH_ENGINES(LoginTest);
