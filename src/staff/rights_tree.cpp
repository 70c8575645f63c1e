#include "staff/rights_tree.h"

#include <vector>

namespace morlenta::staff {

namespace {

// clang-format off
constexpr RightNode kNodes[] = {
    {1,  0,  "Система"},
    {2,  1,  "Архив"},
    {3,  2,  "Възстановяване от архив"},
    {4,  0,  "Номенклатури и настройки"},
    {5,  4,  "Служители"},
    {6,  4,  "Доставчици"},
    {7,  4,  "Сметки на клиенти"},
    {8,  4,  "Редакция на ценоразписите и кратките услуги"},
    {9,  4,  "Инструменти"},
    {10, 4,  "Данни за фирмата"},
    {11, 0,  "Склад и продажби"},
    {12, 11, "Номенклатура на частите"},
    {13, 11, "Доставки, отстъпки и връщане към доставчик"},
    {14, 11, "Продажби"},
    {15, 11, "Промяна на цени"},
    {16, 11, "Части към техници"},
    {17, 0,  "Поръчки и услуги"},
    {18, 17, "Нова поръчка и кратки услуги"},
    {19, 17, "Монтаж и график на посещенията"},
    {20, 17, "Части и труд по поръчка, други услуги"},
    {21, 17, "Отчитане на поръчка"},
    {22, 17, "Плащане на поръчка"},
    {23, 17, "Справка поръчки"},
    {24, 17, "Външен сервиз и експорт на поръчки"},
    {25, 17, "Абонаментни договори"},
    {26, 17, "Редакция на поръчка"},
    {27, 17, "Протоколи за касови апарати"},
    {28, 0,  "Фактури"},
    {29, 28, "Издаване на фактура"},
    {30, 28, "Нефактурирани суми"},
    {31, 28, "Справка фактури и доставни цени"},
    {32, 0,  "Справки и финанси"},
    {33, 32, "Наличност, серийни номера и движение на части"},
    {34, 32, "Части по поръчки"},
    {35, 32, "Справка доставки"},
    {36, 32, "Справка продажби"},
    {37, 32, "Транзакции с доставчици"},
    {38, 32, "Дългове на клиенти"},
    {39, 32, "Гаранционни отчети"},
    {40, 32, "Разходи и допълнителни приходи"},
    {41, 32, "Каса"},
    {42, 32, "Печалба и финансово обобщение"},
    {43, 0,  "Заплати"},
    {44, 43, "Удръжки и премии"},
    {45, 43, "Аванси"},
    {46, 43, "Изплащане на заплати"},
    {47, 43, "Справка заплати"},
};
// clang-format on

constexpr int kNodeCount = int(std::size(kNodes));

} // namespace

std::span<const RightNode> rightsTree()
{
    return kNodes;
}

bool isRightsGroup(int position)
{
    for (const RightNode &n : kNodes)
        if (n.parent == position)
            return true;
    return false;
}

QString treeRights(const QString &rights, QList<int> *notDigits)
{
    std::vector<int> state(size_t(kNodeCount) + 1, 2);
    for (const RightNode &n : kNodes) {
        if (n.position > rights.size())
            continue;
        const QChar c = rights.at(n.position - 1);
        if (!c.isDigit()) {
            if (notDigits)
                notDigits->append(n.position);
            continue;
        }
        state[size_t(n.position)] = c == QLatin1Char('1') ? 1 : 2;
    }
    // Members follow their group, so walking backwards settles every group after its members.
    for (int i = kNodeCount - 1; i >= 0; --i) {
        const int p = kNodes[i].position;
        bool any = false, all = true, members = false;
        for (const RightNode &m : kNodes) {
            if (m.parent != p)
                continue;
            members = true;
            const int s = state[size_t(m.position)];
            any = any || s != 2;
            all = all && s == 1;
        }
        if (members)
            state[size_t(p)] = all ? 1 : (any ? 3 : 2);
    }
    QString out;
    out.reserve(kNodeCount);
    for (const RightNode &n : kNodes)
        out += QChar(QLatin1Char('0' + char(state[size_t(n.position)])));
    return out;
}

} // namespace morlenta::staff
