#include "documents/document_templates.h"

#include "documents/default_templates.h"
#include "documents/document_values.h"
#include "support/fake_prompt.h"
#include "support/files.h"
#include "support/qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace morlenta;
using morlenta::test::readFile;
using morlenta::test::writeFile;
using namespace morlenta::documents;
using morlenta::test::FakePrompt;

TEST(Templates, MissingTemplatesAreReportedWithTheirMessages)
{
    QTemporaryDir dir;
    const struct {
        DocumentKind kind;
        bool matrix;
        const char *start;
        const char *caption;
    } cases[] = {
        {DocumentKind::ServiceCard, false,
         "Не е намерен файла за печат на сервизната карта!\nФалът трябва да е ", "Грешка"},
        {DocumentKind::Protocol, true, "Не е намерен файла за печат на протокола!\nФайлът трябва да е ",
         "Грешка"},
        {DocumentKind::ReadyCard, true,
         "Не е намерен файлът за печат на ремонтната карта!\nТози файл е READY_CARD.TXT и", "Грешка"},
        {DocumentKind::Conditioners, false, "Не е намерен файла с поръчката за печат!\nФайлът трябва да е ",
         "Съобщение"},
        {DocumentKind::ChangeSn, false, "Не е намерен файла с поръчката за печат!\nФайлът трябва да е ",
         "Съобщение"},
    };
    for (const auto &c : cases) {
        FakePrompt prompt;
        const FilledDocument d = fillTemplate(c.kind, dir.path(), c.matrix, {}, prompt, QString());
        EXPECT_FALSE(d.ok);
        ASSERT_EQ(prompt.records().size(), 1);
        EXPECT_TRUE(prompt.records()[0].text.startsWith(QString::fromUtf8(c.start)))
            << prompt.records()[0].text.toStdString();
        EXPECT_EQ(prompt.records()[0].caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(prompt.records()[0].icon, PromptIcon::Error);
    }
}

TEST(Templates, PlainTextTemplatesInUtf8OrWindows1251AndTheServiceNameRule)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("serv_order.txt")),
              QByteArray("\xCA\xE0\xF0\xF2\xE0 %nomer%\r\n")); // Windows-1251
    FakePrompt prompt;
    FilledDocument d = fillTemplate(DocumentKind::ServiceCard, dir.path(), true, {}, prompt, QString());
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(
        prompt.texts(),
        QStringList{QStringLiteral(
            "Не е намерена променливата за името на сервиза!\nНе можете да отпечатате сервизна карта")});

    writeFile(dir.filePath(QStringLiteral("serv_order.txt")),
              QStringLiteral("%servicename%\r\nКарта %nomer%\r\n").toUtf8());
    ServiceCardInput in;
    in.number = 42;
    const ShopData shop{QStringLiteral("Сервиз"), {}, {}, {}, {}};
    FakePrompt ok;
    d = fillTemplate(DocumentKind::ServiceCard, dir.path(), true, serviceCardValues(in, shop, true), ok,
                     QString());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, QChar(14) + QStringLiteral("Сервиз") + QChar(20) + QStringLiteral("\r\nКарта 42\r\n"));
    EXPECT_EQ(d.prnFile, QStringLiteral("order.prn"));

    writeFile(dir.filePath(QStringLiteral("protocol.txt")), QByteArray("\xB9 $nomer$"));
    ProtocolInput p;
    p.protocolNumber = 7;
    d = fillTemplate(DocumentKind::Protocol, dir.path(), true, protocolValues(p, shop), ok, QString());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, QStringLiteral("№ 7")); // the protocol needs no service name
}

TEST(Templates, ShippedTemplatesHoldEveryPlaceholderAndFill)
{
    QTemporaryDir dir;
    const QStringList written = installDefaultTemplates(dir.path());
    EXPECT_EQ(written.size(), 10);
    EXPECT_TRUE(installDefaultTemplates(dir.path()).isEmpty()); // the shop's own files stay
    const ShopData shop{QStringLiteral("Сервиз Експрес"), QStringLiteral("София"), QStringLiteral("02 123"),
                        QStringLiteral("Фирма ООД"), QStringLiteral("Пловдив")};
    OrderData o;
    o.idPor = 3;
    const struct {
        DocumentKind kind;
        Placeholders values;
    } docs[] = {
        {DocumentKind::ServiceCard, serviceCardValues(o, shop, false)},
        {DocumentKind::ReadyCard, readyCardValues(o, shop, true)},
        {DocumentKind::Protocol, protocolValues(ProtocolInput(), shop)},
        {DocumentKind::Conditioners, conditionerValues(o, shop, false)},
        {DocumentKind::ChangeSn, changeSnValues(o, shop, QStringLiteral("NEW1"), false)},
    };
    for (const auto &d : docs) {
        for (bool matrix : {false, true}) {
            FakePrompt prompt;
            const FilledDocument f =
                fillTemplate(d.kind, dir.path(), matrix, d.values, prompt, QStringLiteral("долу"));
            ASSERT_TRUE(f.ok) << prompt.texts().join(QLatin1Char(' ')).toStdString();
            const QString text = matrix ? f.text : f.doc->toPlainText();
            for (const Placeholder &p : d.values)
                EXPECT_TRUE(p.value.isEmpty() || text.contains(p.value.trimmed())) << p.key.toStdString();
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[%$][a-z_A-Z]+[%$]"))))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("Сервиз Експрес")) || d.kind == DocumentKind::Protocol);
        }
    }
}
