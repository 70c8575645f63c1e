#include "maintenance/demo_database.h"

#include "common/money.h"
#include "common/password.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/default_database.h"
#include "data/transaction.h"
#include "maintenance/demo_catalogue.h"
#include "maintenance/demo_texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

#include <algorithm>
#include <vector>

namespace morlenta::maintenance {

using data::Database;
using data::DbError;
using demo::Random;
using demo::Texts;

namespace {

using namespace demo;

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

QVariant noDate()
{
    return QVariant(QMetaType::fromType<QDate>());
}

// Rows of one table sent many to a statement through one prepared insert.
class BatchInsert {
public:
    BatchInsert(Database &db, const QString &table, const QStringList &columns, int rowsPerStatement = 0)
        : db_(db), table_(table), columns_(columns)
    {
        // Well under the engines' limits on bound values in one statement.
        rows_ = rowsPerStatement > 0 ? rowsPerStatement : std::max(1, 4000 / int(columns.size()));
        full_ = prepare(rows_);
    }
    void add(QVariantList row)
    {
        Q_ASSERT(row.size() == columns_.size());
        pending_ += row;
        if (pending_.size() == rows_ * columns_.size())
            run(full_);
    }
    void flush()
    {
        if (pending_.isEmpty())
            return;
        QSqlQuery rest = prepare(int(pending_.size() / columns_.size()));
        run(rest);
    }

private:
    QSqlQuery prepare(int rows)
    {
        const QString one = QLatin1Char('(') +
                            QStringList(columns_.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                            QLatin1Char(')');
        const QString sql = QStringLiteral("insert into %1 (%2) values %3")
                                .arg(table_, columns_.join(QStringLiteral(", ")),
                                     QStringList(rows, one).join(QLatin1Char(',')));
        QSqlQuery q(db_.handle());
        if (!q.prepare(sql))
            throw DbError(q.lastError().text() + QLatin1Char('\n') + table_);
        return q;
    }
    void run(QSqlQuery &q)
    {
        for (qsizetype i = 0; i < pending_.size(); ++i)
            q.bindValue(int(i), pending_[i]);
        if (!q.exec())
            throw DbError(q.lastError().text() + QLatin1Char('\n') + table_);
        pending_.clear();
    }

    Database &db_;
    QString table_;
    QStringList columns_;
    int rows_ = 1;
    QSqlQuery full_;
    QVariantList pending_;
};

struct Clerk {
    int id;
    QString name;
    bool technician;
    QDate from, to;
};

struct Model {
    QString art, brand, model;
    int group;
    bool warranty;
    std::vector<int> parts; // indexes into Shop::parts
};

struct Part {
    int id;
    double inPrice, salePrice;
};

struct Operation {
    int id;
    int group;
    QString name;
    double client, worker, warranty, fromGarant;
};

struct Contragent {
    QString name, address;
};

struct Client {
    QString name, address, phones;
};

class Shop {
public:
    Shop(Database &db, const DemoOptions &o) : db_(db), o_(o), r_(o.seed) {}
    void writeCatalogues(const QString &passwordHash);
    bool writeOrders(const DemoProgress &progress);

private:
    int insert(const char *table, const data::Row &row) { return int(db_.insert(u8(table), row)); }
    QDate dateAt(double share) const
    {
        const QDate first = o_.today.addYears(-o_.years);
        return first.addDays(qint64(share * double(first.daysTo(o_.today))));
    }
    const Model &pickModel();
    Client client();
    int clerkAt(const QDate &day, bool technician);

    Database &db_;
    const DemoOptions &o_;
    Random r_;
    Texts texts_;
    std::vector<Clerk> clerks_;
    std::vector<Model> models_;
    std::vector<double> modelWeights_; // cumulative
    std::vector<Part> parts_;
    std::vector<Operation> operations_;
    std::vector<std::vector<int>> groupOperations_;
    std::vector<Contragent> warrantors_, services_;
    std::vector<Client> firms_;
    std::vector<Client> regulars_;
};

void Shop::writeCatalogues(const QString &passwordHash)
{
    insert("myinfo", {{u8("Name"), u8("Демо Сервиз ЕООД")},
                      {u8("bulstat"), u8("204567891")},
                      {u8("ndr"), u8("BG204567891")},
                      {u8("Adres"), u8("гр. София, ул. „Пиротска“ 5")},
                      {u8("MOL"), u8("Иван Демиров")},
                      {u8("ServiceName"), u8("Сервиз „Демо“")},
                      {u8("ServiceAddress"), u8("гр. София, ул. „Пиротска“ 5")},
                      {u8("ServicePhones"), u8("02 987 6543, 0888 765 432")}});

    for (const ClerkDef &c : kClerks) {
        const bool active = c.to >= 1.0;
        const int id = insert("clerks", {{u8("Name"), u8(c.name)},
                                         {u8("Info"), active ? QString() : u8("Напуснал")},
                                         {u8("Nick"), u8(c.nick)},
                                         {u8("Password"), passwordHash},
                                         {u8("Pay"), c.technician ? 900.0 : 1200.0},
                                         {u8("Percent"), c.technician ? 35 : 0},
                                         {u8("Active"), active},
                                         {u8("Nivo"), c.level},
                                         {u8("worker"), c.technician ? 0 : 1},
                                         {u8("preferences"), rightsPreset(c.level)}});
        clerks_.push_back(
            {id, u8(c.name), c.technician, dateAt(c.from), c.to >= 1.0 ? o_.today : dateAt(c.to)});
    }

    for (const QString &name : texts_.firmNames()) {
        Client f{name, texts_.address(r_), texts_.phones(r_)};
        const QString bulstat = texts_.bulstat(r_);
        const QString mol = texts_.person(r_).name;
        insert("firms", {{u8("Name"), f.name},
                         {u8("BStat"), bulstat},
                         {u8("DN"), QStringLiteral("BG") + bulstat},
                         {u8("Adres"), f.address},
                         {u8("MOL"), mol},
                         {u8("Contact"), r_.chance(0.5) ? mol : texts_.person(r_).name},
                         {u8("phones"), f.phones},
                         {u8("Reduction"), double(r_.below(3) * 5)},
                         {u8("ReductJobs"), double(r_.below(2) * 5)},
                         {u8("web"), QString()},
                         {u8("email"), QString()},
                         {u8("MoreInfo"), QString()}});
        firms_.push_back(f);
    }
    for (int i = 0; i < 300; ++i)
        insert("clients", {{u8("Name"), texts_.person(r_).name}});

    for (const SupplierDef &s : kSuppliers) {
        insert("delivers", {{u8("Name"), u8(s.name)}, {u8("Info"), u8(s.info)}, {u8("Garant"), s.garant}});
        if (s.garant)
            warrantors_.push_back({u8(s.name), u8(s.info)});
    }
    for (const auto &s : kOtherServices) {
        insert("OtherServices", {{u8("Name"), u8(s[0])}, {u8("Address"), u8(s[1])}});
        services_.push_back({u8(s[0]), u8(s[1])});
    }

    // Operations under their groups.
    groupOperations_.resize(std::size(kGroups));
    QHash<QString, int> types;
    for (size_t g = 0; g < std::size(kGroups); ++g) {
        const int node = insert("opTree", {{u8("Parent"), 0}, {u8("Classification"), u8(kGroups[g].name)}});
        Q_UNUSED(node);
        for (const QString &t : u8(kGroups[g].partTypes).split(QLatin1Char(',')))
            if (!types.contains(t))
                types.insert(t, insert("typeparts", {{u8("Type"), t}}));
    }
    int code = 0;
    for (const OperationDef &op : kOperations) {
        const int id =
            insert("Operations", {{u8("Classification"), u8(kGroups[op.group].name)},
                                  {u8("Code"), QStringLiteral("OP%1").arg(++code, 3, 10, QLatin1Char('0'))},
                                  {u8("Operation"), u8(op.name)},
                                  {u8("clientPrice"), op.client},
                                  {u8("warrantyPrice"), op.warranty},
                                  {u8("idMarka"), 0},
                                  {u8("workerPrice"), op.worker},
                                  {u8("fromGarant"), op.fromGarant}});
        groupOperations_[size_t(op.group)].push_back(int(operations_.size()));
        operations_.push_back({id, op.group, u8(op.name), op.client, op.worker, op.warranty, op.fromGarant});
    }
    for (size_t g = 0; g < std::size(kDefects); ++g)
        for (const char *d : kDefects[g])
            insert("Sympt_Codes", {{u8("Description"), u8(d)},
                                   {u8("Marka"), u8(kGroups[g].name)},
                                   {u8("code_add"), QStringLiteral("S%1").arg(r_.between(100, 999))},
                                   {u8("Value"), 0.0}});
    for (const char *a : {"Климатик до 12000 BTU", "Климатик до 18000 BTU", "Мултисплит система"})
        insert("monArt", {{u8("Art"), u8(a)}});

    // Articles, makes, models, and the parts that fit each model.
    QHash<QString, int> makes, partMakes;
    qint64 barcode = 380000000000;
    double weight = 0;
    for (const DeviceKind &d : kDevices) {
        insert("art", {{u8("Art"), u8(d.art)}});
        const QStringList brands = u8(d.brands).split(QLatin1Char(';'));
        const QStringList partTypes = u8(kGroups[d.group].partTypes).split(QLatin1Char(','));
        QList<Model> kind;
        for (const QString &entry : brands) {
            const QString brand = entry.section(QLatin1Char(':'), 0, 0).trimmed();
            if (!makes.contains(brand))
                makes.insert(brand, insert("marka", {{u8("Marka"), brand}}));
            if (!partMakes.contains(brand))
                partMakes.insert(brand, insert("partMarka", {{u8("Marka"), brand}}));
            for (const QString &m : entry.section(QLatin1Char(':'), 1).split(QLatin1Char(','))) {
                Model model{u8(d.art), brand, m.trimmed(), d.group, d.warranty, {}};
                insert("models", {{u8("idMarka"), makes.value(brand)}, {u8("Model"), model.model}});
                for (int t = 0; t < 3; ++t) {
                    const QString type = partTypes[(t + int(models_.size())) % partTypes.size()];
                    const double in = roundCents(5 + r_.below(120) + r_.below(100) / 100.0);
                    ++barcode;
                    const int id = insert(
                        "parts",
                        {{u8("Part"), type + QLatin1Char(' ') + brand + QLatin1Char(' ') + model.model},
                         {u8("TypeID"), types.value(type)},
                         {u8("PartNo"),
                          QStringLiteral("%1-%2").arg(brand.left(2).toUpper()).arg(r_.between(10000, 99999))},
                         {u8("Opis"), QString()},
                         {u8("inPrice"), in},
                         {u8("ipVal"), CurLeva},
                         {u8("outPrice"), roundCents(in * 1.6)},
                         {u8("salePrice"), roundCents(in * 1.8)},
                         {u8("opVal"), CurLeva},
                         {u8("amnt"), r_.below(12)},
                         {u8("idMarka"), partMakes.value(brand)},
                         {u8("barcode"), QString::number(barcode)},
                         {u8("catalogs"), QString()}});
                    model.parts.push_back(int(parts_.size()));
                    parts_.push_back({id, in, roundCents(in * 1.8)});
                }
                kind.append(model);
            }
        }
        for (const Model &m : kind) {
            weight += d.share / double(kind.size());
            models_.push_back(m);
            modelWeights_.push_back(weight);
        }
    }
}

const Model &Shop::pickModel()
{
    const double x = r_.unit() * modelWeights_.back();
    const auto it = std::lower_bound(modelWeights_.begin(), modelWeights_.end(), x);
    return models_[size_t(std::min<std::ptrdiff_t>(it - modelWeights_.begin(), std::ssize(models_) - 1))];
}

Client Shop::client()
{
    // Firms bring a share of the devices; some private clients come back.
    if (r_.chance(0.16))
        return firms_[size_t(r_.skewed(int(firms_.size()), 1.5))];
    if (!regulars_.empty() && r_.chance(0.12))
        return regulars_[size_t(r_.below(int(regulars_.size())))];
    Client c{texts_.person(r_).name, texts_.address(r_), texts_.phones(r_)};
    if (regulars_.size() < 5000)
        regulars_.push_back(c);
    else
        regulars_[size_t(r_.below(5000))] = c;
    return c;
}

int Shop::clerkAt(const QDate &day, bool technician)
{
    int candidates[std::size(kClerks)];
    int n = 0;
    for (const Clerk &c : clerks_)
        if (c.technician == technician && c.from <= day && day <= c.to)
            candidates[n++] = c.id;
    return n == 0 ? 0 : candidates[r_.below(n)];
}

} // namespace

QString demoClerkPassword()
{
    return QStringLiteral("demo");
}

DemoRequest demoRequest(const QStringList &arguments)
{
    DemoRequest r;
    const qsizetype at = arguments.indexOf(QStringLiteral("--demo"));
    if (at < 0)
        return r;
    r.wanted = true;
    if (at + 1 >= arguments.size() || arguments[at + 1].startsWith(QLatin1String("--")))
        return r;
    bool ok = false;
    const int n = arguments[at + 1].toInt(&ok);
    if (!ok || n < 1 || n > kMaxDemoOrders)
        r.error = QStringLiteral(
                      "Броят поръчки в демонстрационната база данни трябва да е цяло число от 1 до %1: %2")
                      .arg(kMaxDemoOrders)
                      .arg(arguments[at + 1]);
    else
        r.orders = n;
    return r;
}

QString demoDatabasePath(const QString &defaultDatabasePath)
{
    return QFileInfo(defaultDatabasePath).absoluteDir().filePath(QStringLiteral("Demo.sv"));
}

QString demoSettingsPath(const QString &defaultDatabasePath)
{
    return QFileInfo(defaultDatabasePath).absoluteDir().filePath(QStringLiteral("Demo.ini"));
}

namespace {

bool Shop::writeOrders(const DemoProgress &progress)
{
    BatchInsert orders(
        db_, u8("porychka"),
        {u8("idPor"),       u8("PorDate"),     u8("Art"),          u8("Marka"),   u8("Model"),
         u8("Serial"),      u8("Aks"),         u8("Defect"),       u8("Trud"),    u8("ready"),
         u8("payed"),       u8("readyDate"),   u8("payDate"),      u8("idClerk"), u8("por_note"),
         u8("taksa"),       u8("sumTrud"),     u8("sumParts"),     u8("sumAll"),  u8("Pech"),
         u8("clientNames"), u8("clientAdres"), u8("clientPhones"), u8("Fiscal"),  u8("TypeWarr"),
         u8("EndDate"),     u8("WarName"),     u8("Priority"),     u8("codeGet"), u8("porState"),
         u8("idPriel"),     u8("TimeVisit"),   u8("Transport")});
    BatchInsert partLines(db_, u8("PartsInPor"),
                          {u8("idPor"), u8("idPart"), u8("amnt"), u8("priceLV"), u8("closed")});
    BatchInsert jobLines(db_, u8("Jobs_In_Por"), {u8("idPor"), u8("idOp"), u8("Trud"), u8("Pr1"), u8("Pr2")});
    BatchInsert visits(db_, u8("homevisit"),
                       {u8("DateVisit"), u8("TimeVisit"), u8("AMPM"), u8("Notes"), u8("ClientName"),
                        u8("ClientAdres"), u8("idContract"), u8("visited"), u8("idClerk"), u8("field1"),
                        u8("field2")});
    BatchInsert externals(db_, u8("externals"),
                          {u8("idPor"), u8("DateSend"), u8("DateBack"), u8("back"), u8("success"),
                           u8("Price"), u8("idVal"), u8("Contragent"), u8("payed"), u8("Adres")});
    BatchInsert protocols(
        db_, u8("protokol_ka"),
        {u8("idPor"), u8("ProtNo"), u8("DateEnd"), u8("TimeEnd"), u8("closed"), u8("TaxAdmin")});

    const QString cashRegister = u8("КАСОВ АПАРАТ");
    const QString waiting = u8("Чака части, ");
    const QString sentTo = u8("Изпратена към ");
    const QDate first = o_.today.addYears(-o_.years);
    const qint64 days = first.daysTo(o_.today);
    const int total = o_.orders;
    int protocol = 0;

    for (int i = 0; i < total; ++i) {
        if (progress && i % 2000 == 0 && !progress(i, total))
            return false;
        const int id = i + 1;
        QDate por = first.addDays(qint64(double(i) * double(days) / double(std::max(total, 1))));
        if (por.dayOfWeek() == Qt::Sunday)
            por = std::min(por.addDays(1), o_.today);
        const qint64 age = por.daysTo(o_.today);

        const Model &m = pickModel();
        const bool cash = m.art == cashRegister;
        QString kind = QStringLiteral("REP");
        if (m.group == 5) {
            const int k = r_.below(100);
            kind = k < 40 ? QStringLiteral("MON") : k < 65 ? QStringLiteral("PRO") : kind;
        }
        const bool visit = kind != QLatin1String("REP") || (!cash && r_.chance(0.03));
        const Client c = client();

        // Warranty: the shop's own now and then, a warranty giver's for what they cover.
        int warranty = 0;
        Contragent giver;
        const int w = r_.below(100);
        if (kind == QLatin1String("REP") && w < 13)
            warranty = 1;
        else if (kind == QLatin1String("REP") && m.warranty && w < 28) {
            warranty = 2;
            giver = warrantors_[size_t(r_.below(int(warrantors_.size())))];
        }

        int priority = cash ? 0 : (r_.chance(0.85) ? 0 : r_.chance(0.66) ? 1 : 2);
        QDate end = visit ? por.addDays(r_.between(1, 5)) : por.addDays(cash ? 1 : 2 - priority);

        // Progress of the order: the older, the likelier it is finished and handed over.
        const double openChance = age <= 2    ? 0.85
                                  : age <= 7  ? 0.55
                                  : age <= 21 ? 0.25
                                  : age <= 60 ? 0.06
                                              : 0.002;
        const bool ready = !r_.chance(openChance);
        int state = 1;
        const bool sentOut = !ready && kind == QLatin1String("REP") && !visit && r_.chance(0.1);
        if (!ready)
            state = sentOut ? 5 : (r_.chance(0.18) ? 2 : 1);
        else {
            const int s = r_.below(100);
            state = s < 70 ? 3 : s < 82 ? 4 : s < 92 ? 6 : 7;
        }
        const bool wasOut = ready && kind == QLatin1String("REP") && !visit && r_.chance(0.04);
        QDate readyDate, payDate;
        if (ready) {
            const qint64 span = std::min<qint64>(age, wasOut ? 20 : 12);
            readyDate = visit
                            ? std::min(end, o_.today)
                            : por.addDays(r_.between(wasOut ? int(std::min<qint64>(span, 3)) : 0, int(span)));
        }
        const double unpaidChance = age <= 10 ? 0.45 : age <= 40 ? 0.15 : 0.005;
        const bool payed = ready && !r_.chance(unpaidChance);
        if (payed)
            payDate = readyDate.addDays(r_.between(0, int(std::min<qint64>(readyDate.daysTo(o_.today), 10))));

        const int technician = sentOut || (state == 1 && r_.chance(0.2)) ? 0 : clerkAt(por, true);
        const int receiver = clerkAt(por, false);

        // Work and parts of a finished repair.
        double sumTrud = 0, sumParts = 0, cost = 0, share = 0, taksa = 0;
        QStringList work;
        if (state == 3 || state == 4) {
            const std::vector<int> &ops = groupOperations_[size_t(m.group)];
            int jobs = 1 + (r_.chance(0.3) ? 1 : 0);
            if (kind != QLatin1String("REP"))
                jobs = 1;
            for (int j = 0; j < jobs; ++j) {
                const Operation &op = kind == QLatin1String("MON")
                                          ? operations_[size_t(ops[size_t(r_.below(2))])]
                                      : kind == QLatin1String("PRO")
                                          ? operations_[size_t(ops[2])]
                                          : operations_[size_t(ops[size_t(r_.below(int(ops.size())))])];
                const double pr1 = warranty == 0 ? op.client : warranty == 2 ? op.fromGarant : 0.0;
                const double pr2 = warranty == 0 ? op.worker : op.warranty;
                jobLines.add({id, op.id, op.name, pr1, pr2});
                work << op.name;
                sumTrud += pr1;
                share += pr2;
            }
            const int lines = state == 4 ? 1 + (r_.chance(0.25) ? 1 : 0) : (r_.chance(0.4) ? 1 : 0);
            for (int p = 0; p < lines && !m.parts.empty(); ++p) {
                const Part &part = parts_[size_t(m.parts[size_t(r_.below(int(m.parts.size())))])];
                partLines.add({id, part.id, 1, part.salePrice, true});
                sumParts += part.salePrice;
                cost += part.inPrice;
            }
        } else if (state == 6 || state == 7) {
            taksa = r_.chance(0.5) ? 10.0 : 15.0;
        } else if (state == 2 && !m.parts.empty()) {
            // The part is ordered and waits in the order, not settled yet.
            const Part &part = parts_[size_t(m.parts[size_t(r_.below(int(m.parts.size())))])];
            partLines.add({id, part.id, 1, part.salePrice, false});
        }
        const double transport = visit ? (r_.chance(0.5) ? 15.0 : 20.0) : 0.0;
        const double clientPays = warranty == 0 ? taksa + sumTrud + sumParts + transport : 0.0;
        const double received = warranty == 2 ? sumTrud + sumParts : clientPays;
        const double profit = ready ? roundCents(received - cost - share) : 0.0;

        QVariant trud;
        if (ready && !work.isEmpty())
            trud = work.join(QStringLiteral(", "));
        Contragent service;
        if (sentOut || wasOut) {
            service = warranty == 2 ? giver : services_[size_t(r_.below(int(services_.size())))];
            trud =
                trud.isNull() ? sentTo + service.name : sentTo + service.name + u8("\r\n") + trud.toString();
            const QDate sent = std::min(por.addDays(1), o_.today);
            externals.add({id, sent, wasOut ? QVariant(std::max(sent, readyDate)) : noDate(), wasOut,
                           wasOut && state != 6 && state != 7,
                           wasOut && warranty != 2 ? double(r_.between(20, 80)) : 0.0, CurLeva, service.name,
                           wasOut && warranty != 2, service.address});
        }
        QString note;
        if (state == 2) {
            const QDate asked = std::min(por.addDays(1), o_.today);
            const auto clerk = std::find_if(clerks_.begin(), clerks_.end(),
                                            [&](const Clerk &k) { return k.id == receiver; });
            note = waiting + asked.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") +
                   (clerk != clerks_.end() ? clerk->name : u8("Администратор"));
        }
        const QString dayPart = texts_.timeOfDay(r_);
        const QString serial = m.group == 0 && m.art == QLatin1String("GSM")
                                   ? texts_.imei(r_)
                                   : texts_.serial(r_, m.brand.left(2).toUpper());
        QString fiscal;
        if (cash) {
            static const QHash<QString, QString> prefixes = {
                {QStringLiteral("Datecs"), QStringLiteral("DT")},
                {QStringLiteral("Daisy"), QStringLiteral("DY")},
                {QStringLiteral("Tremol"), QStringLiteral("ZK")},
                {QStringLiteral("Eltrade"), QStringLiteral("ED")}};
            fiscal =
                prefixes.value(m.brand, QStringLiteral("FM")) + QString::number(r_.between(100000, 999999));
            protocols.add({id, ++protocol, por.addDays(1), QTime(r_.between(9, 18), r_.below(4) * 15), payed,
                           texts_.taxOffices[r_.below(int(texts_.taxOffices.size()))]});
        }
        QString defect = u8(kDefects[m.group][r_.below(6)]);
        if (kind == QLatin1String("MON"))
            defect = u8("Монтаж на климатик");
        else if (kind == QLatin1String("PRO"))
            defect = u8("Профилактика на климатик");
        else if (r_.chance(0.2))
            defect += QStringLiteral("; ") + u8(kDefects[m.group][r_.below(6)]).toLower();

        orders.add({id,
                    por,
                    m.art,
                    m.brand,
                    m.model,
                    serial,
                    u8(kAccessories[r_.below(int(std::size(kAccessories)))]),
                    defect,
                    trud,
                    ready,
                    payed,
                    ready ? QVariant(readyDate) : noDate(),
                    payed ? QVariant(payDate) : noDate(),
                    technician,
                    note,
                    taksa,
                    roundCents(sumTrud),
                    roundCents(sumParts),
                    roundCents(clientPays),
                    profit,
                    c.name,
                    c.address,
                    c.phones,
                    fiscal,
                    warranty,
                    end,
                    giver.name,
                    priority,
                    kind,
                    state,
                    receiver,
                    visit ? end.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ") + dayPart
                          : QStringLiteral(" "),
                    transport});
        if (visit)
            visits.add({end, QTime(r_.between(8, 17), r_.below(2) * 30), dayPart, QString(), c.name,
                        c.address, 0, ready, technician, QString::number(id), QString()});
    }
    for (BatchInsert *b : {&orders, &partLines, &jobLines, &visits, &externals, &protocols})
        b->flush();
    if (progress)
        progress(total, total);
    return true;
}

} // namespace

bool fillDemoDatabase(Database &db, const DemoOptions &options, const DemoProgress &progress)
{
    const QString hash = hashPassword(demoClerkPassword()); // before the transaction: it takes a moment
    data::Transaction tx(db);
    Shop shop(db, options);
    shop.writeCatalogues(hash);
    if (!shop.writeOrders(progress))
        return false; // rolled back
    tx.commit();
    return true;
}

bool createDemoDatabase(const QString &path, const DemoOptions &options, const DemoProgress &progress)
{
    std::unique_ptr<Database> db = data::createDefaultDatabase(path);
    bool done = false;
    try {
        // A new file nobody else uses: no need to wait for the disk after every page.
        db->execute(QStringLiteral("pragma synchronous = off"));
        db->execute(QStringLiteral("pragma cache_size = -200000"));
        done = fillDemoDatabase(*db, options, progress);
    } catch (...) {
        db.reset();
        QFile::remove(path);
        throw;
    }
    db.reset();
    if (!done)
        QFile::remove(path);
    return done;
}

} // namespace morlenta::maintenance
