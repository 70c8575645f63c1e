#include "shell/own_firm.h"

#include "support/db_fixture.h"

using namespace morlenta::shell;
using morlenta::test::DbTest;

namespace {

OwnFirm valid()
{
    return {QStringLiteral("Сервиз ООД"),  QStringLiteral("1234567890"),
            QStringLiteral("123456789"),   QStringLiteral("София, ул. \"Шипка\" 5"),
            QStringLiteral("Иван Петров"), QStringLiteral("Сервиз 'Експрес'"),
            QStringLiteral("София"),       QStringLiteral("02 123 456")};
}

} // namespace

TEST(OwnFirmCheck, FieldsAreCheckedInOrderWithTheirMessages)
{
    const struct {
        std::function<void(OwnFirm &)> change;
        OwnFirmField field;
        const char *message;
    } cases[] = {
        {[](OwnFirm &f) { f.name = QStringLiteral("   "); }, OwnFirmField::Name,
         "Внимание - не сте въвели име на фирмата!"},
        {[](OwnFirm &f) { f.taxNumber = QStringLiteral("123456789"); }, OwnFirmField::TaxNumber,
         "Внимание - грешно въведен данъчен номер на фирмата!"},
        {[](OwnFirm &f) { f.taxNumber = QStringLiteral("12345678a0"); }, OwnFirmField::TaxNumber,
         "Внимание - грешно въведен данъчен номер на фирмата!"},
        {[](OwnFirm &f) { f.bulstat = QStringLiteral("1234567890"); }, OwnFirmField::Bulstat,
         "Внимание - грешно въведен БУЛСТАТ на фирмата!"},
        {[](OwnFirm &f) { f.address.clear(); }, OwnFirmField::Address,
         "Внимание - не сте въвели адрес на фирмата!"},
        {[](OwnFirm &f) { f.mol = QStringLiteral(" "); }, OwnFirmField::Mol,
         "Внимание - не сте въвели материално отговорно лице на фирмата!"},
        {[](OwnFirm &f) { f.serviceName.clear(); }, OwnFirmField::ServiceName,
         "Внимание - не сте въвели име на сервиза!"},
        {[](OwnFirm &f) { f.serviceAddress.clear(); }, OwnFirmField::ServiceAddress,
         "Внимание - не сте въвели адрес на сервиза!"},
        {[](OwnFirm &f) { f.servicePhones.clear(); }, OwnFirmField::ServicePhones,
         "Внимание - не сте въвели телефоните на сервиза!"},
        // The first failing check wins.
        {[](OwnFirm &f) {
             f.name.clear();
             f.bulstat.clear();
         },
         OwnFirmField::Name, "Внимание - не сте въвели име на фирмата!"},
        {[](OwnFirm &f) { f.bulstat = QStringLiteral("1234567890123"); }, OwnFirmField::None, ""},
        {[](OwnFirm &f) { f.name = QStringLiteral("  Фирма  "); }, OwnFirmField::None, ""},
    };
    int i = 0;
    for (const auto &c : cases) {
        OwnFirm f = valid();
        c.change(f);
        const OwnFirmCheck r = checkOwnFirm(f);
        EXPECT_EQ(r.field, c.field) << "case " << i;
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << "case " << i;
        ++i;
    }
    OwnFirm padded = valid();
    padded.name = QStringLiteral("  Фирма  ");
    checkOwnFirm(padded);
    EXPECT_EQ(padded.name, QStringLiteral("Фирма"));
}

class OwnFirmStore : public DbTest {};

TEST_P(OwnFirmStore, OneRowWrittenAndRewritten)
{
    EXPECT_FALSE(hasOwnFirm(db()));
    OwnFirm f = valid();
    saveOwnFirm(db(), f);
    f.serviceName = QStringLiteral("Нов 'сервиз'");
    saveOwnFirm(db(), f);
    EXPECT_TRUE(hasOwnFirm(db()));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from myinfo")).toInt(), 1);
    const OwnFirm back = loadOwnFirm(db());
    EXPECT_EQ(back.serviceName, QStringLiteral("Нов 'сервиз'"));
    EXPECT_EQ(back.address, valid().address);
    EXPECT_EQ(back.taxNumber, valid().taxNumber);
}

MORLENTA_ON_BOTH_ENGINES(OwnFirmStore);
