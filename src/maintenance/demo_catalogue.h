#pragma once

// What the demo shop repairs, sells and employs: devices with their makes
// and models, work groups with their operations and parts, defects,
// clerks with their working years, suppliers and outside services.

namespace morlenta::maintenance::demo {

struct DeviceKind {
    const char *art;
    double share;
    int group;          // index into kGroups
    const char *brands; // "Brand: model, model; Brand: ..."
    bool warranty;      // warranty givers repair it
};

// Work groups: the operations tree and the kinds of parts of each.
struct Group {
    const char *name;
    const char *partTypes; // comma separated
};

inline constexpr Group kGroups[] = {
    {"GSM апарати", "Дисплей,Батерия,Букса за зареждане,Говорител,Камера,Заден капак"},
    {"Компютри и таблети", "Матрица,Клавиатура,Батерия,Захранваща букса,Охладител"},
    {"Касови апарати", "Фискална памет,Печатащ механизъм,Акумулатор,GPRS модем"},
    {"Телевизори и монитори", "LED подсветка,Захранване,T-con платка"},
    {"Принтери", "Ролка,Фюзер,Печатаща глава"},
    {"Климатици", "Платка на вътрешното тяло,Дренажна помпа,Кондензатор"},
};

inline constexpr DeviceKind kDevices[] = {
    {"GSM", 0.44, 0,
     "Samsung: Galaxy A52, Galaxy A14, Galaxy S21, Galaxy S9, Galaxy J5, Galaxy Note 10; Apple: iPhone 7, "
     "iPhone 8, iPhone X, iPhone 11, iPhone 12, iPhone 13; Xiaomi: Redmi Note 8, Redmi 9, Mi 11 Lite, Redmi "
     "Note 11; Huawei: P20 Lite, P30, Y6 2019, Mate 20; Nokia: 3310, 6300, G21, 5.3; Motorola: Moto G8, Moto "
     "E7; Alcatel: 1S, 3X",
     true},
    {"ТАБЛЕТ", 0.06, 1,
     "Samsung: Galaxy Tab A7, Galaxy Tab S6; Lenovo: Tab M10, Tab P11; Apple: iPad 9, iPad Air", true},
    {"ЛАПТОП", 0.10, 1,
     "Lenovo: IdeaPad 3, ThinkPad T480, Legion 5; HP: ProBook 450, Pavilion 15; Dell: Latitude 5490, "
     "Inspiron "
     "15; Asus: VivoBook 15, ROG Strix G15; Acer: Aspire 5, Nitro 5",
     true},
    {"КАСОВ АПАРАТ", 0.08, 2,
     "Datecs: DP-25, DP-150, WP-50; Daisy: Compact S, eXpert SX, Perfect M; Tremol: M20, S21; Eltrade: A3, "
     "A6",
     true},
    {"ФИСКАЛЕН ПРИНТЕР", 0.02, 2, "Datecs: FP-700, FP-2000; Tremol: FP15; Daisy: FX1200", false},
    {"ТЕЛЕВИЗОР", 0.08, 3,
     "Samsung: UE43TU7172, UE55AU7172; LG: 43UP7500, OLED55C1; Philips: 50PUS7505; Sony: KD-55X80J", true},
    {"МОНИТОР", 0.03, 3, "Dell: P2419H; LG: 24MK430H; Samsung: S24F350", false},
    {"ПРИНТЕР", 0.04, 4,
     "HP: LaserJet P1102, DeskJet 2720; Canon: PIXMA MG2550, i-SENSYS LBP6030; Epson: L3150", false},
    {"КЛИМАТИК", 0.09, 5,
     "Daikin: FTXB35C, Sensira FTXF25; Mitsubishi: MSZ-HR35VF; Fujitsu: ASYG12KLCA; Toshiba: Seiya RAS-13; "
     "Gree: Pular GWH12",
     false},
    {"ФОТОАПАРАТ", 0.02, 1, "Canon: EOS 2000D; Nikon: D3500, Coolpix B500; Sony: Alpha 6000", false},
    {"СМАРТ ЧАСОВНИК", 0.04, 0, "Samsung: Galaxy Watch 4; Apple: Watch SE; Huawei: Watch GT 2", false},
};

struct OperationDef {
    int group;
    const char *name;
    double client, worker, warranty, fromGarant;
};

inline constexpr OperationDef kOperations[] = {
    {0, "Смяна на дисплей", 90, 25, 20, 60},
    {0, "Смяна на батерия", 40, 10, 8, 25},
    {0, "Смяна на букса за зареждане", 35, 12, 10, 25},
    {0, "Смяна на говорител", 30, 10, 8, 20},
    {0, "Софтуерно обновяване", 25, 8, 6, 15},
    {0, "Почистване след попадане на влага", 45, 15, 12, 0},
    {0, "Ремонт на платка", 80, 30, 25, 50},
    {0, "Смяна на камера", 50, 15, 12, 35},
    {1, "Преинсталация на операционна система", 50, 20, 15, 30},
    {1, "Почистване на охладителя", 40, 15, 10, 25},
    {1, "Смяна на клавиатура", 60, 20, 15, 40},
    {1, "Смяна на матрица", 120, 35, 30, 80},
    {1, "Смяна на захранваща букса", 55, 20, 15, 35},
    {2, "Смяна на фискална памет", 150, 40, 35, 100},
    {2, "Ремонт на печатащ механизъм", 70, 25, 20, 45},
    {2, "Програмиране на артикули", 30, 10, 8, 0},
    {2, "Смяна на акумулатор", 45, 12, 10, 30},
    {2, "Сервизна профилактика", 40, 15, 12, 25},
    {3, "Смяна на LED подсветка", 120, 40, 35, 80},
    {3, "Ремонт на захранване", 80, 30, 25, 50},
    {3, "Смяна на T-con платка", 90, 30, 25, 60},
    {4, "Почистване на печатаща глава", 30, 10, 8, 0},
    {4, "Смяна на ролки", 40, 12, 10, 25},
    {4, "Ремонт на фюзер", 70, 25, 20, 45},
    {5, "Монтаж на климатик до 12000 BTU", 180, 60, 50, 0},
    {5, "Монтаж на климатик до 18000 BTU", 240, 80, 60, 0},
    {5, "Профилактика на климатик", 60, 25, 20, 0},
    {5, "Зареждане с фреон", 90, 30, 25, 0},
    {5, "Смяна на платка на вътрешното тяло", 130, 40, 35, 0},
};

inline constexpr const char *kDefects[][6] = {
    {"Не се включва", "Счупен дисплей", "Не зарежда", "Няма звук при разговор", "Не разпознава SIM карта",
     "Попаднала вода"},
    {"Не се включва", "Прегрява и се изключва", "Счупена матрица", "Не зарежда", "Бавна работа, зависва",
     "Неработещи клавиши"},
    {"Грешка на фискалната памет", "Не печата", "Не се свързва с НАП", "Не се включва", "Блокирал принтер",
     "Изтощен акумулатор"},
    {"Няма картина, има звук", "Не се включва", "Тъмен екран", "Изключва се сам", "Ивици по екрана",
     "Не реагира на дистанционното"},
    {"Не поема хартия", "Бледо печатане", "Засяда хартия", "Грешка на касетата", "Не се включва",
     "Шум при печат"},
    {"Не охлажда", "Тече вода от вътрешното тяло", "Не се включва", "Шум от външното тяло",
     "Неприятна миризма", "Мига индикаторът"},
};

inline constexpr const char *kAccessories[] = {"Без аксесоари",  "Зарядно",      "Калъф",
                                               "Зарядно, калъф", "Кабел",        "SIM карта",
                                               "Карта памет",    "Дистанционно", "Захранващ кабел"};

struct ClerkDef {
    const char *name;
    const char *nick;
    bool technician;
    double from, to; // share of the years the clerk worked; to 1 = still working
    int level;
};

inline constexpr ClerkDef kClerks[] = {
    {"Георги Стоянов", "georgi", true, 0.0, 1.0, 1},
    {"Димитър Колев", "dimitar", true, 0.0, 0.45, 2},
    {"Николай Петков", "nikolay", true, 0.2, 1.0, 2},
    {"Валентин Русев", "valentin", true, 0.35, 0.7, 2},
    {"Стефан Илиев", "stefan", true, 0.5, 1.0, 2},
    {"Пламен Цонев", "plamen", true, 0.6, 0.85, 2},
    {"Калин Маринов", "kalin", true, 0.8, 1.0, 2},
    {"Мартин Янков", "martin", true, 0.9, 1.0, 2},
    {"Мария Димитрова", "maria", false, 0.0, 1.0, 1},
    {"Елена Тодорова", "elena", false, 0.0, 0.5, 2},
    {"Десислава Ангелова", "desislava", false, 0.45, 1.0, 2},
    {"Петя Николова", "petya", false, 0.75, 1.0, 2},
};

struct SupplierDef {
    const char *name;
    const char *info;
    bool garant;
};

inline constexpr SupplierDef kSuppliers[] = {
    {"Мобилни части ООД", "гр. София, ул. „Владайска“ 12", false},
    {"Сервиз Партс ЕООД", "гр. Пловдив, бул. „Марица“ 44", false},
    {"Технодистрибуция АД", "гр. София, бул. „Ботевградско шосе“ 247", false},
    {"Касови системи ООД", "гр. София, ул. „Околовръстен път“ 5", false},
    {"Климатех ЕООД", "гр. Варна, ул. „Девня“ 18", false},
    {"Мобилтех Гаранция ООД", "гр. София, бул. „Цариградско шосе“ 115", true},
    {"Касов Център ЕООД", "гр. София, ул. „Лъчезар Станчев“ 3", true},
    {"Телеком Гаранционен Сервиз", "гр. Пловдив, ул. „Кукленско шосе“ 17", true},
    {"Евро Гаранция АД", "гр. Бургас, ул. „Александровска“ 90", true},
};

inline constexpr const char *kOtherServices[][2] = {
    {"Сервиз Стил", "гр. София, ул. „Позитано“ 20"},
    {"ТехноФикс", "гр. София, бул. „Сливница“ 71"},
    {"Електроника Плюс", "гр. Пловдив, ул. „Брезовско шосе“ 8"},
    {"Диджитал Сервиз", "гр. Варна, ул. „Шипка“ 3"},
    {"Плазма Ремонт", "гр. Бургас, ул. „Оборище“ 55"},
    {"Фискал Сервиз", "гр. София, ул. „Искър“ 9"},
};

} // namespace morlenta::maintenance::demo
