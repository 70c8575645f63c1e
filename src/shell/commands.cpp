#include "shell/commands.h"

#include "common/rights.h"
#include "common/session.h"

namespace morlenta::shell {

namespace {

// clang-format off
constexpr CommandDef kCommands[] = {
    {"mnMyInfoClick", "mnMyInfo", Right::OwnFirm, false, MenuGroup::System,  nullptr, "Данни за фирмата"},
    {"mnExitClick",   "mnExit",   0,              false, MenuGroup::System,  nullptr, "Изход"},
    {"btPorClick",    "bNew",     Right::NewOrder,      false, MenuGroup::Orders, "new_por", "Нова поръчка"},
    {"mnPorClick",    "mnPor",    Right::OrderRegister, true,  MenuGroup::Orders, "spr_por", "Справка за поръчки"},
    {"bOtClick",      "bOt",      Right::CompleteOrder, true, MenuGroup::Orders, "ot_por", "Отчет на поръчка"},
    {"bPayClick",     "bPay",     Right::PayOrder,      true, MenuGroup::Orders, "pay_por", "Плащане на поръчка"},
    {"bPPorClick",    "bPPor",    Right::OrderPartsAndWork, true, MenuGroup::Orders, "parts_por", "Части към поръчка"},
    {"TBItem14Click", "TBItem14", 0,              false, MenuGroup::Nomenclatures, nullptr, "Симптоми на повреди"},
    {"btPartsClick",  "bNom",     Right::PartsCatalogue, true, MenuGroup::Nomenclatures, nullptr, "Номенклатура резервни части"},
    {"TBItem7Click",  "TBItem7",  0,              false, MenuGroup::Nomenclatures, nullptr, "Артикули и марки"},
    {"TBItem19Click", "TBItem19", Right::StockReports, false, MenuGroup::Reports, nullptr, "Серийни номера в наличност"},
    {"mnClerksClick", "mnClerks", Right::Clerks,  false, MenuGroup::Nomenclatures, nullptr, "Служители"},
    {"mnValClick",    "mnVal",    0,              false, MenuGroup::Nomenclatures, nullptr, "Валутни курсове"},
    {"bKasaClick",    "bKasa",    Right::CashDesk,false, MenuGroup::Reports, "kasa",  "Каса"},
    {"N6Click",       "N6",       0,              false, MenuGroup::Archive, nullptr, "Архивиране на базите данни"},
    {"mnRestoreClick","mnRestore",Right::Restore, false, MenuGroup::Archive, nullptr, "Възстановяване от архив"},
    {"N11Click",      "N11",      0,              false, MenuGroup::Help,    nullptr, "Предназначение и функции на програмата"},
    {"N13Click",      "N13",      0,              false, MenuGroup::Help,    nullptr, "За програмата"},
};
// clang-format on

} // namespace

std::span<const CommandDef> mainCommands()
{
    return kCommands;
}

const CommandDef *findCommand(const QString &handler)
{
    for (const CommandDef &c : kCommands)
        if (handler == QLatin1String(c.handler))
            return &c;
    return nullptr;
}

void CommandTable::bind(const QString &handler, std::function<void()> action)
{
    actions_.insert(handler, std::move(action));
}

bool CommandTable::allowed(const CommandDef &c) const
{
    if (c.right > 0 && !session_.hasRight(c.right))
        return false;
    return !(c.notDuringSale && session_.saleVisible);
}

bool CommandTable::run(const QString &handler)
{
    const CommandDef *c = findCommand(handler);
    if (!c || !allowed(*c))
        return false;
    const auto it = actions_.constFind(handler);
    if (it == actions_.constEnd() || !*it)
        return false;
    (*it)();
    return true;
}

bool CommandTable::runAnchor(const QString &anchor)
{
    for (const CommandDef &c : kCommands)
        if (c.anchor && anchor == QLatin1String(c.anchor))
            return run(QLatin1String(c.handler));
    return false;
}

} // namespace morlenta::shell
