#include "maintenance/demo_texts.h"

namespace morlenta::maintenance::demo {

namespace {

QStringList list(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *s : items)
        out << QString::fromUtf8(s);
    return out;
}

QString digits(Random &r, int count)
{
    QString out;
    for (int i = 0; i < count; ++i)
        out += QChar(u'0' + r.below(10));
    return out;
}

} // namespace

Texts::Texts()
{
    males =
        list({"Иван",    "Георги",   "Димитър", "Петър",      "Николай",  "Христо",   "Стефан",  "Йордан",
              "Васил",   "Тодор",    "Атанас",  "Александър", "Борис",    "Красимир", "Пламен",  "Стоян",
              "Цветан",  "Валентин", "Калин",   "Емил",       "Милен",    "Любомир",  "Росен",   "Светослав",
              "Мартин",  "Даниел",   "Виктор",  "Кирил",      "Симеон",   "Явор",     "Веселин", "Антон",
              "Ангел",   "Благой",   "Здравко", "Илия",       "Костадин", "Марин",    "Огнян",   "Радослав",
              "Преслав", "Божидар",  "Теодор",  "Асен",       "Деян",     "Живко",    "Младен",  "Христиан"});
    females =
        list({"Мария",     "Иванка",   "Елена",    "Йорданка", "Пенка",     "Даниела",   "Ирина",  "Снежана",
              "Цветелина", "Надежда",  "Петя",     "Гергана",  "Десислава", "Радостина", "Силвия", "Теодора",
              "Виктория",  "Николета", "Габриела", "Милена",   "Весела",    "Анна",      "Катя",   "Людмила",
              "Красимира", "Стефка",   "Росица",   "Биляна",   "Ралица",    "Калина",    "Дарина", "Яна",
              "Боряна",    "Веселина", "Зорница",  "Ива",      "Лилия",     "Маргарита", "Нели",   "Таня"});
    // The commonest first; female forms add "а".
    surnames =
        list({"Иванов",    "Георгиев", "Димитров",  "Петров",   "Николов",    "Христов",    "Стоянов",
              "Тодоров",   "Йорданов", "Стефанов",  "Атанасов", "Василев",    "Колев",      "Маринов",
              "Ангелов",   "Костов",   "Попов",     "Михайлов", "Илиев",      "Петков",     "Кирилов",
              "Цветков",   "Донев",    "Янков",     "Русев",    "Ганчев",     "Кръстев",    "Славов",
              "Симеонов",  "Енчев",    "Божилов",   "Вълчев",   "Желязков",   "Занков",     "Игнатов",
              "Калчев",    "Лазаров",  "Минков",    "Найденов", "Орешков",    "Пенчев",     "Радев",
              "Сотиров",   "Тасев",    "Узунов",    "Фърков",   "Хаджиев",    "Цонев",      "Чакъров",
              "Шопов",     "Юруков",   "Янев",      "Бонев",    "Гоцев",      "Дечев",      "Евтимов",
              "Жеков",     "Заимов",   "Йотов",     "Камбуров", "Лилов",      "Мавродиев",  "Неделчев",
              "Обретенов", "Пашов",    "Рашков",    "Събев",    "Тончев",     "Филипов",    "Христозов",
              "Цанков",    "Чолаков",  "Шишков",    "Щерев",    "Арабаджиев", "Бакърджиев", "Велчев",
              "Гърдев",    "Делчев",   "Ефремов",   "Зафиров",  "Каменов",    "Личев",      "Мутафчиев",
              "Начев",     "Пухлев",   "Райков",    "Стамов",   "Терзиев",    "Ушев",       "Фотев",
              "Хубенов",   "Цачев",    "Чернев",    "Шейтанов", "Ябанджиев",  "Балабанов",  "Вранчев",
              "Гечев",     "Драганов", "Ераносян",  "Зидаров",  "Кацаров",    "Луканов",    "Манолов",
              "Нанков",    "Павлов",   "Рачев",     "Спасов",   "Трифонов",   "Урумов",     "Хрисимов",
              "Цеков",     "Чипев",    "Шаламанов", "Ячев",     "Бочев",      "Вутов",      "Груев",
              "Дюлгеров",  "Ждраков",  "Златев",    "Кисьов",   "Лечев",      "Мечков",     "Нейков"});
    firmWords = list({"Алфа",  "Вега",   "Орион",  "Стил",  "Елит",   "Марица", "Витоша", "Пирин",   "Родопи",
                      "Дунав", "Тракия", "Балкан", "Нова",  "Прима",  "Глобал", "Интер",  "Мега",    "Евро",
                      "Сигма", "Омега",  "Атлас",  "Зенит", "Импулс", "Космос", "Лотос",  "Меридиан"});
    firmTrades =
        list({"Комерс", "Трейд", "Груп", "Консулт", "Строй", "Транс", "Фарм", "Агро", "Медия", "Тех"});
    firmKinds = list({"ООД", "ЕООД", "АД", "ЕТ"});
    cities = list({"София",          "София",  "София",        "София",    "Пловдив",   "Варна",
                   "Бургас",         "Русе",   "Стара Загора", "Плевен",   "Сливен",    "Добрич",
                   "Шумен",          "Перник", "Хасково",      "Ямбол",    "Пазарджик", "Благоевград",
                   "Велико Търново", "Враца",  "Габрово",      "Казанлък", "Кюстендил", "Монтана"});
    streets = list({"ул. „Шипка“",          "бул. „Витоша“",
                    "ул. „Раковски“",       "бул. „България“",
                    "ул. „Граф Игнатиев“",  "ул. „Иван Вазов“",
                    "ул. „Христо Ботев“",   "ул. „Васил Левски“",
                    "ул. „Цар Симеон“",     "ул. „Алеко Константинов“",
                    "ул. „Гурко“",          "ул. „Оборище“",
                    "ул. „Пиротска“",       "бул. „Цариградско шосе“",
                    "ул. „Стефан Караджа“", "ул. „Кирил и Методий“",
                    "бул. „Македония“",     "ул. „Освобождение“",
                    "ул. „Славянска“",      "ул. „Хан Аспарух“"});
    estates = list({"ж.к. „Младост“", "ж.к. „Люлин“", "ж.к. „Дружба“", "ж.к. „Надежда“", "ж.к. „Тракия“",
                    "ж.к. „Изгрев“", "ж.к. „Възраждане“", "ж.к. „Чайка“", "ж.к. „Меден рудник“"});
    daysParts = list({"сутрин", "обед", "следобед", "вечер"});
    taxOffices = list({"ТД на НАП София", "ТД на НАП Пловдив", "ТД на НАП Варна", "ТД на НАП Бургас",
                       "ТД на НАП Велико Търново", "ИРМ Русе", "ИРМ Стара Загора", "ИРМ Плевен"});
}

QString Texts::surname(Random &r, bool female) const
{
    const QString s = surnames[r.skewed(int(surnames.size()), 1.3)];
    return female ? s + QChar(u'а') : s;
}

Person Texts::person(Random &r) const
{
    Person p;
    p.female = r.chance(0.45);
    const QString first =
        p.female ? females[r.skewed(int(females.size()), 1.2)] : males[r.skewed(int(males.size()), 1.2)];
    p.name = first + QLatin1Char(' ');
    if (r.chance(0.25))
        p.name += surname(r, p.female) + QLatin1Char(' ');
    p.name += surname(r, p.female);
    return p;
}

QString Texts::firmName(int i) const
{
    const int words = int(firmWords.size());
    const int trades = int(firmTrades.size());
    const QString word = firmWords[i % words];
    const QString trade = firmTrades[(i / words + i) % trades];
    const QString kind = firmKinds[(i * 7 / 3) % firmKinds.size()];
    if (kind == QLatin1String("ЕТ"))
        return QStringLiteral("ЕТ „%1-%2“").arg(word).arg(90 + i % 30);
    return QStringLiteral("%1%2 %3").arg(word, trade.toLower(), kind);
}

QStringList Texts::firmNames() const
{
    QStringList out;
    for (int i = 0; out.size() < 150; ++i) {
        const QString n = firmName(i);
        if (!out.contains(n))
            out << n;
    }
    return out;
}

QString Texts::city(Random &r) const
{
    return r.pick(cities);
}

QString Texts::address(Random &r) const
{
    const QString town = QStringLiteral("гр. ") + city(r);
    if (r.chance(0.35))
        return QStringLiteral("%1, %2, бл. %3, вх. %4, ап. %5")
            .arg(town, r.pick(estates))
            .arg(r.between(1, 450))
            .arg(QChar(u'А' + r.below(4)))
            .arg(r.between(1, 80));
    return QStringLiteral("%1, %2 %3").arg(town, r.pick(streets)).arg(r.between(1, 140));
}

QString Texts::phones(Random &r) const
{
    static const char *const prefixes[] = {"087", "088", "089", "098", "099"};
    auto mobile = [&] {
        const QString d = QString::fromLatin1(prefixes[r.below(5)]) + digits(r, 7);
        return d.left(4) + QLatin1Char(' ') + d.mid(4, 3) + QLatin1Char(' ') + d.mid(7);
    };
    QString out = mobile();
    if (r.chance(0.12))
        out += QStringLiteral(", 02 ") + digits(r, 3) + QLatin1Char(' ') + digits(r, 4);
    else if (r.chance(0.08))
        out += QStringLiteral(", ") + mobile();
    return out;
}

QString Texts::imei(Random &r) const
{
    // Fourteen digits and the Luhn check digit, as the handset shows them.
    QString d = QStringLiteral("35") + digits(r, 12);
    int sum = 0;
    for (int i = 0; i < 14; ++i) {
        int v = d[13 - i].digitValue();
        if (i % 2 == 0) {
            v *= 2;
            if (v > 9)
                v -= 9;
        }
        sum += v;
    }
    return d + QChar(u'0' + (10 - sum % 10) % 10);
}

QString Texts::serial(Random &r, const QString &prefix) const
{
    QString out = prefix;
    for (int i = 0; i < 3; ++i)
        out += QChar(u'A' + r.below(26));
    return out + digits(r, 7);
}

QString Texts::bulstat(Random &r) const
{
    return QChar(u'1' + r.below(9)) + digits(r, 8);
}

QString Texts::timeOfDay(Random &r) const
{
    return r.pick(daysParts);
}

} // namespace morlenta::maintenance::demo
