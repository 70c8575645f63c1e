#include "shell/commands.h"

#include "common/session.h"

#include <gtest/gtest.h>

using namespace morlenta;
using namespace morlenta::shell;

TEST(Commands, EveryCommandIsInertWithoutItsRightAndRunsWithIt)
{
    for (const CommandDef &c : mainCommands()) {
        const QString handler = QLatin1String(c.handler);
        Session session;
        CommandTable table(session);
        int runs = 0;
        table.bind(handler, [&] { ++runs; });
        if (c.right > 0) {
            for (QString rights : {QString(c.right - 1, QLatin1Char('1')), // too short
                                   QString(60, QLatin1Char('1')).replace(c.right - 1, 1, QLatin1Char('2')),
                                   QString(60, QLatin1Char('1')).replace(c.right - 1, 1, QLatin1Char('3'))}) {
                session.rights = rights;
                EXPECT_FALSE(table.run(handler)) << c.handler;
            }
            EXPECT_EQ(runs, 0) << c.handler;
        }
        session.rights = QString(60, QLatin1Char('2'));
        if (c.right > 0)
            session.rights[c.right - 1] = QLatin1Char('1');
        EXPECT_TRUE(table.run(handler)) << c.handler;
        EXPECT_EQ(runs, 1) << c.handler;
        session.saleVisible = true;
        EXPECT_EQ(table.run(handler), !c.notDuringSale) << c.handler;
    }
}

TEST(Commands, TableIsWellFormed)
{
    QStringList handlers;
    for (const CommandDef &c : mainCommands()) {
        EXPECT_FALSE(handlers.contains(QLatin1String(c.handler))) << c.handler;
        handlers << QLatin1String(c.handler);
        EXPECT_GE(c.right, 0);
        EXPECT_LE(c.right, Right::Count);
        EXPECT_NE(QString::fromUtf8(c.caption), QString());
    }
    Session session;
    CommandTable table(session);
    EXPECT_FALSE(table.run(QStringLiteral("noSuchClick")));
    EXPECT_FALSE(table.run(QStringLiteral("N13Click"))); // nothing bound
}
