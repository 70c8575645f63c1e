#include "data/schema.h"

namespace morlenta::data {

namespace {

using T = ColType;

// One column a line, as the tables are read.
// clang-format off

// ---- service side ----

constexpr ColumnDef kPorychka[] = {
    {"idPor", T::Integer},
    {"PorDate", T::Date},
    {"Art", T::Text},
    {"Marka", T::Text},
    {"Model", T::Text},
    {"Serial", T::Text},
    {"Aks", T::Text},
    {"Defect", T::Memo},
    {"Trud", T::Text},
    {"ready", T::Boolean},
    {"payed", T::Boolean},
    {"readyDate", T::Date},
    {"payDate", T::Date},
    {"idClerk", T::Integer},
    {"por_note", T::Text},
    {"taksa", T::Float},
    {"sumTrud", T::Float},
    {"sumParts", T::Float},
    {"sumAll", T::Float},
    {"Pech", T::Float},
    {"clientNames", T::Text},
    {"clientAdres", T::Text},
    {"clientPhones", T::Text},
    {"Fiscal", T::Text},
    {"TypeWarr", T::Integer},
    {"EndDate", T::Date},
    {"WarName", T::Text},
    {"YearMade", T::Text},
    {"SaveCode", T::Text},
    {"HardwareID", T::Text},
    {"SoftVersion", T::Text},
    {"HardVersion", T::Text},
    {"Priority", T::SmallInt},
    {"Delivery", T::Text},
    {"codeGet", T::Text},
    {"codeRep", T::Text},
    {"codeWar", T::Text},
    {"porState", T::Integer},
    {"idPriel", T::SmallInt, 0, true},
    {"TimeVisit", T::Text, 30, true},
    {"Transport", T::Single, 0, true},
};

constexpr ColumnDef kPartsInPor[] = {
    {"id", T::AutoKey},
    {"idPor", T::Integer},
    {"idPart", T::Integer},
    {"amnt", T::Integer},
    {"priceLV", T::Float},
    {"closed", T::Boolean},
};

constexpr ColumnDef kJobsInPor[] = {
    {"id", T::AutoKey},
    {"idPor", T::Integer},
    {"idOp", T::Integer},
    {"Trud", T::Text},
    {"Pr1", T::Float},
    {"Pr2", T::Float},
};

constexpr ColumnDef kOperations[] = {
    {"id", T::AutoKey},
    {"Classification", T::Text},
    {"Code", T::Text},
    {"Operation", T::Text},
    {"clientPrice", T::Float},
    {"warrantyPrice", T::Float},
    {"idMarka", T::Integer},
    {"workerPrice", T::Float},
    {"fromGarant", T::Float},
};

constexpr ColumnDef kOpTree[] = {
    {"id", T::AutoKey},
    {"Parent", T::Integer},
    {"Classification", T::Text},
};

constexpr ColumnDef kSymptCodes[] = {
    {"ID", T::AutoKey},
    {"Description", T::Text},
    {"Marka", T::Text},
    {"code_add", T::Text},
    {"Value", T::Float},
};

constexpr ColumnDef kReplaceSN[] = {
    {"id", T::AutoKey},
    {"idPor", T::Integer},
    {"oldSN", T::Text},
    {"newSN", T::Text},
    {"part", T::Text},
};

constexpr ColumnDef kProtokolKa[] = {
    {"id", T::AutoKey},
    {"idPor", T::Integer},
    {"ProtNo", T::Integer},
    {"DateEnd", T::Date},
    {"TimeEnd", T::Time},
    {"closed", T::Boolean},
    {"TaxAdmin", T::Text},
};

constexpr ColumnDef kExternals[] = {
    {"id", T::AutoKey},
    {"idPor", T::Integer},
    {"DateSend", T::Date},
    {"DateBack", T::Date},
    {"back", T::Boolean},
    {"success", T::Boolean},
    {"Price", T::Float},
    {"idVal", T::Integer},
    {"Contragent", T::Text},
    {"payed", T::Boolean},
    {"Adres", T::Text, 50, true},
};

constexpr ColumnDef kHomeVisit[] = {
    {"id", T::AutoKey},
    {"DateVisit", T::Date},
    {"TimeVisit", T::Time},
    {"AMPM", T::Text, 10, true},
    {"Notes", T::Text},
    {"ClientName", T::Text},
    {"ClientAdres", T::Text},
    {"idContract", T::Integer},
    {"visited", T::Boolean},
    {"idClerk", T::Integer},
    {"field1", T::Text},
    {"field2", T::Text},
};

constexpr ColumnDef kContracts[] = {
    {"id", T::AutoKey},
    {"DogNo", T::Integer},
    {"DateDog", T::Date},
    {"idClient", T::Integer},
    {"OpisUredi", T::Text},
    {"FreqVisit", T::Integer},
    {"endDate", T::Date},
    {"Taksa", T::Float},
    {"field1", T::Text},
    {"field2", T::Text},
};

constexpr ColumnDef kPayContracts[] = {
    {"id", T::AutoKey},
    {"DogNo", T::Integer},
    {"data", T::DateTime},
    {"suma", T::Float},
    {"payed", T::Boolean},
};

constexpr ColumnDef kOtchetWarranties[] = {
    {"id", T::AutoKey},
    {"idDost", T::Integer},
    {"sumParts", T::Single},
    {"sumTrud", T::Single},
    {"otchTrud", T::Single},
    {"otchParts", T::Single},
    {"otchDate", T::DateTime},
    {"ready", T::Boolean},
    {"idPor", T::Integer},
    {"Transport", T::Single, 0, true},
    {"otchTrans", T::Single, 0, true},
};

constexpr ColumnDef kShortService[] = {
    {"Service", T::Text, 60},
    {"id", T::AutoKey},
    {"pr1", T::Single},
    {"pr2", T::Single},
};

constexpr ColumnDef kSprShorts[] = {
    {"Service", T::Text, 60},
    {"id", T::AutoKey},
    {"idClerk", T::Integer},
    {"servDate", T::DateTime},
};

constexpr ColumnDef kOtherServices[] = {
    {"id", T::AutoKey},
    {"Name", T::Text, 20},
    {"Address", T::Text, 50},
};

constexpr ColumnDef kInstruments[] = {
    {"id", T::AutoKey},
    {"Ured", T::Text, 50},
    {"serial", T::Text, 25},
    {"Price", T::Single},
    {"idClerk", T::Integer},
    {"amnt", T::Integer},
    {"Data", T::DateTime},
    {"OnStock", T::Integer},
    {"notes", T::Text, 150},
};

constexpr ColumnDef kClerks[] = {
    {"id", T::AutoKey},
    {"Name", T::Text},
    {"Info", T::Text},
    {"Nick", T::Text},
    {"Password", T::Text},
    {"Pay", T::Float},
    {"Percent", T::Integer},
    {"Active", T::Boolean},
    {"Nivo", T::Integer},
    {"worker", T::Integer},
    {"preferences", T::Text, 60, true},
};

constexpr ColumnDef kClients[] = {
    {"id", T::AutoKey},
    {"Name", T::Text},
};

constexpr ColumnDef kFirms[] = {
    {"ID", T::AutoKey},
    {"Name", T::Text},
    {"BStat", T::Text},
    {"DN", T::Text},
    {"Adres", T::Text},
    {"MOL", T::Text},
    {"Contact", T::Text},
    {"phones", T::Text},
    {"Reduction", T::Float},
    {"ReductJobs", T::Single, 0, true},
    {"web", T::Text},
    {"email", T::Text},
    {"MoreInfo", T::Memo},
};

constexpr ColumnDef kMyInfo[] = {
    {"ID", T::AutoKey},
    {"Name", T::Text},
    {"bulstat", T::Text},
    {"ndr", T::Text},
    {"Adres", T::Text},
    {"MOL", T::Text},
    {"ServiceName", T::Text},
    {"ServiceAddress", T::Text},
    {"ServicePhones", T::Text},
};

constexpr ColumnDef kArt[] = {
    {"idArt", T::AutoKey},
    {"Art", T::Text},
};

constexpr ColumnDef kMarka[] = {
    {"idMarka", T::AutoKey},
    {"Marka", T::Text},
};

constexpr ColumnDef kModels[] = {
    {"id", T::AutoKey},
    {"idMarka", T::Integer},
    {"Model", T::Text},
};

// Row 1 holds the preferences; the key is assigned by the program.
constexpr ColumnDef kConnect[] = {
    {"id", T::Integer},
    {"Special", T::Memo},
};

// ---- stock, sales and money ----

constexpr ColumnDef kParts[] = {
    {"id", T::AutoKey},
    {"Part", T::Text},
    {"TypeID", T::Integer},
    {"PartNo", T::Text},
    {"Opis", T::Text},
    {"inPrice", T::Float},
    {"ipVal", T::Integer},
    {"outPrice", T::Float},
    {"salePrice", T::Float},
    {"opVal", T::Integer},
    {"amnt", T::Integer},
    {"idMarka", T::Integer, 0, true},
    {"barcode", T::Text, 13, true},
    {"catalogs", T::Text, 200, true},
};

constexpr ColumnDef kTypeParts[] = {
    {"id", T::AutoKey},
    {"Type", T::Text},
};

constexpr ColumnDef kPartMarka[] = {
    {"Marka", T::Text, 20},
    {"id", T::AutoKey},
};

constexpr ColumnDef kPartSN[] = {
    {"id", T::AutoKey},
    {"idPart", T::Integer},
    {"SN", T::Text},
    {"SN2", T::Text},
};

constexpr ColumnDef kDelivers[] = {
    {"id", T::AutoKey},
    {"Name", T::Text},
    {"Info", T::Text},
    {"Garant", T::Boolean},
};

constexpr ColumnDef kSprDost[] = {
    {"id", T::AutoKey},
    {"partID", T::Integer},
    {"Data", T::Date},
    {"Price", T::Float},
    {"idVal", T::Integer},
    {"amnt", T::Integer},
    {"serial", T::Text},
    {"idDost", T::Integer},
};

constexpr ColumnDef kPayments[] = {
    {"id", T::AutoKey},
    {"Data", T::Date},
    {"Chas", T::Time},
    {"Suma", T::Float},
    {"idVal", T::Integer},
    {"Notes", T::Text},
    {"idDost", T::Integer},
};

constexpr ColumnDef kSprSales[] = {
    {"id", T::AutoKey},
    {"idPart", T::Integer},
    {"Data", T::Date},
    {"Price", T::Float},
    {"idVal", T::Integer},
    {"amnt", T::Integer},
    {"notes", T::Text},
    {"idClient", T::Integer},
    {"RazpNo", T::Integer, 0, true},
};

constexpr ColumnDef kTmpSales[] = {
    {"id", T::AutoKey},
    {"pcID", T::Text},
    {"idPart", T::Integer},
    {"Data", T::Date},
    {"Price", T::Float},
    {"idVal", T::Integer},
    {"amnt", T::Integer},
    {"notes", T::Text},
    {"idClient", T::Integer},
};

constexpr ColumnDef kDiscounts[] = {
    {"id", T::AutoKey},
    {"idMarka", T::Integer},
    {"idType", T::Integer},
    {"discDlvr", T::Single},
    {"discSale", T::Single},
};

constexpr ColumnDef kPartMoves[] = {
    {"id", T::AutoKey},
    {"idPart", T::Integer},
    {"idClerk", T::Integer},
    {"amnt", T::Integer},
    {"serial", T::Text, 25},
    {"data", T::DateTime},
    {"idPor", T::Integer},
    {"chas", T::DateTime},
};

constexpr ColumnDef kPartsInClerks[] = {
    {"id", T::AutoKey},
    {"idPart", T::Integer},
    {"amnt", T::Integer},
    {"notes", T::Text, 30},
    {"idClerk", T::Integer},
};

constexpr ColumnDef kKasa[] = {
    {"id", T::AutoKey},
    {"Data", T::Date},
    {"Chas", T::Time},
    {"Suma", T::Float},
    {"idVal", T::Integer},
    {"Notes", T::Text},
    {"UserID", T::Integer},
};

constexpr ColumnDef kPayClient[] = {
    {"id", T::AutoKey},
    {"Data", T::Date},
    {"Chas", T::Time},
    {"Suma", T::Float},
    {"idVal", T::Integer},
    {"Notes", T::Text},
    {"idName", T::Integer},
};

constexpr ColumnDef kPayNoFact[] = {
    {"id", T::AutoKey},
    {"idClient", T::Integer},
    {"data", T::Date},
    {"opis", T::Text},
    {"suma", T::Float},
};

constexpr ColumnDef kPaymClerks[] = {
    {"id", T::AutoKey},
    {"idClerk", T::Integer},
    {"data", T::Date},
    {"mesec", T::Integer},
    {"godina", T::Integer},
    {"suma", T::Float},
    {"noPor", T::Integer},
    {"payed", T::Boolean},
    {"notes", T::Text},
};

constexpr ColumnDef kZaplati[] = {
    {"id", T::AutoKey},
    {"idClerk", T::Integer},
    {"data", T::Date},
    {"minus", T::Float},
    {"percent", T::Integer},
    {"zaplata", T::Float},
    {"mesec", T::Integer},
    {"godina", T::Integer},
};

constexpr ColumnDef kExpenses[] = {
    {"id", T::AutoKey},
    {"data", T::Date},
    {"typeid", T::Integer},
    {"suma", T::Float},
    {"notes", T::Text},
};

constexpr ColumnDef kTypeExpenses[] = {
    {"id", T::AutoKey},
    {"type", T::Text},
};

constexpr ColumnDef kPrihodi[] = {
    {"id", T::AutoKey},
    {"data", T::Date},
    {"typeid", T::Integer},
    {"suma", T::Float},
    {"notes", T::Text},
};

constexpr ColumnDef kTypePr[] = {
    {"id", T::AutoKey},
    {"type", T::Text},
};

constexpr ColumnDef kPech[] = {
    {"id", T::AutoKey},
    {"Data", T::Date},
    {"Pech", T::Float},
    {"idVal", T::Integer},
    {"idNote", T::Integer},
};

// One row per day; the date itself is the key.
constexpr ColumnDef kValCourse[] = {
    {"Data", T::Date},
    {"USD", T::Float},
    {"EUR", T::Float},
};

// Fixed ids 1, 2, 3 are referred to by every money column.
constexpr ColumnDef kCurrency[] = {
    {"idCur", T::Integer},
    {"Currency", T::Text},
};

constexpr ColumnDef kFactData[] = {
    {"id", T::AutoKey},
    {"FactNo", T::Text},
    {"ClientName", T::Text},
    {"ClientAdres", T::Text},
    {"ClientMOL", T::Text},
    {"ClientNDR", T::Text},
    {"ClientBul", T::Text},
    {"data", T::DateTime},
    {"EndSum", T::Float},
    {"Deleted", T::Text, 25, true},
    {"sumBank", T::Single, 0, true},
    {"sumBroy", T::Single, 0, true},
};

constexpr ColumnDef kFactOpis[] = {
    {"id", T::AutoKey},
    {"FactNo", T::Text},
    {"Stooka", T::Text},
    {"Amnt", T::Float},
    {"EUPrice", T::Float},
    {"Merka", T::Text},
};

constexpr ColumnDef kBanks[] = {
    {"id", T::AutoKey},
    {"Name", T::Text},
    {"Kod", T::Text},
    {"Smetka", T::Text},
    {"ddsSmetka", T::Text},
};

// ---- our own ----

// Articles offered on mounting orders, kept apart from the repair articles in `art`.
constexpr ColumnDef kMonArt[] = {
    {"id", T::AutoKey},
    {"Art", T::Text},
};

// One row per goods-receipt number: several sale lines share a number, so
// its uniqueness is enforced here rather than in sprSales.
constexpr ColumnDef kRazpiski[] = {
    {"id", T::AutoKey},
    {"RazpNo", T::Integer},
    {"Data", T::Date},
    {"idClient", T::Integer},
};

const TableDef kTables[] = {
    {"porychka", kPorychka},
    {"PartsInPor", kPartsInPor},
    {"Jobs_In_Por", kJobsInPor},
    {"Operations", kOperations},
    {"opTree", kOpTree},
    {"Sympt_Codes", kSymptCodes},
    {"replaceSN", kReplaceSN},
    {"protokol_ka", kProtokolKa},
    {"externals", kExternals},
    {"homevisit", kHomeVisit},
    {"contracts", kContracts},
    {"paycontracts", kPayContracts},
    {"otchet_warranties", kOtchetWarranties, true},
    {"short_service", kShortService, true},
    {"spr_shorts", kSprShorts, true},
    {"OtherServices", kOtherServices, true},
    {"Instruments", kInstruments, true},
    {"clerks", kClerks},
    {"clients", kClients},
    {"firms", kFirms},
    {"myinfo", kMyInfo},
    {"art", kArt},
    {"marka", kMarka},
    {"models", kModels},
    {"connect", kConnect},

    {"parts", kParts},
    {"typeparts", kTypeParts},
    {"partMarka", kPartMarka, true},
    {"PartSN", kPartSN},
    {"delivers", kDelivers},
    {"sprDost", kSprDost},
    {"payments", kPayments},
    {"sprSales", kSprSales},
    {"tmpSales", kTmpSales},
    {"discounts", kDiscounts, true},
    {"Part_Moves", kPartMoves, true},
    {"PartsInClerks", kPartsInClerks, true},
    {"kasa", kKasa},
    {"payClient", kPayClient},
    {"payNoFact", kPayNoFact},
    {"paymClerks", kPaymClerks},
    {"zaplati", kZaplati},
    {"expenses", kExpenses},
    {"typeexpenses", kTypeExpenses},
    {"prihodi", kPrihodi},
    {"typepr", kTypePr},
    {"pech", kPech},
    {"valcourse", kValCourse},
    {"currency", kCurrency},
    {"FactData", kFactData},
    {"FactOpis", kFactOpis},
    {"banks", kBanks},

    {"monArt", kMonArt, true},
    {"razpiski", kRazpiski, true},
};

constexpr IndexDef kIndexes[] = {
    // Numbers handed out as max + 1 must not collide when two computers save at once.
    {"ux_porychka_idPor", "porychka", "idPor", true},
    {"ux_protokol_ka_ProtNo", "protokol_ka", "ProtNo", true},
    {"ux_FactData_FactNo", "FactData", "FactNo", true},
    {"ux_razpiski_RazpNo", "razpiski", "RazpNo", true, "RazpNo is not null"},
    // Empty values are common in old files and must not clash.
    {"ux_parts_barcode", "parts", "barcode", true, "barcode is not null and barcode <> ''"},
    {"ux_typeparts_Type", "typeparts", "Type", true},
    {"ux_partMarka_Marka", "partMarka", "Marka", true},
    // One article per designation, brand and type; a serial number is one piece.
    {"ux_parts_Part", "parts", "Part, idMarka, TypeID", true},
    {"ux_PartSN_SN", "PartSN", "SN", true, "SN is not null and SN <> ''"},
    {"ux_clerks_Name", "clerks", "Name", true},
    {"ux_Operations_Code", "Operations", "Code", true, "Code is not null and Code <> ''"},
    {"ux_banks_Smetka", "banks", "Smetka", true, "Smetka is not null and Smetka <> ''"},
    {"ux_valcourse_Data", "valcourse", "Data", true},
    {"ux_currency_idCur", "currency", "idCur", true},

    // Lookups by order, part, date and account done on every window refresh.
    {"ix_PartsInPor_idPor", "PartsInPor", "idPor"},
    {"ix_Jobs_In_Por_idPor", "Jobs_In_Por", "idPor"},
    {"ix_PartSN_idPart", "PartSN", "idPart"},
    {"ix_Part_Moves_idPart", "Part_Moves", "idPart"},
    {"ix_kasa_Data", "kasa", "Data"},
    {"ix_sprSales_Data", "sprSales", "Data"},
    {"ix_sprSales_RazpNo", "sprSales", "RazpNo"},
    {"ix_pech_Data", "pech", "Data"},
    {"ix_payments_idDost", "payments", "idDost"},
    {"ix_payClient_idName", "payClient", "idName"},
    {"ix_paymClerks_idClerk", "paymClerks", "idClerk"},
    {"ix_homevisit_field1", "homevisit", "field1"},
    {"ix_externals_idPor", "externals", "idPor"},
    {"ix_protokol_ka_idPor", "protokol_ka", "idPor"},
    {"ix_FactOpis_FactNo", "FactOpis", "FactNo"},

    // The register's ready-made lists: open, ready but not handed over,
    // overdue, and the periods of intake, completion and payment.
    {"ix_porychka_ready", "porychka", "ready, payed"},
    {"ix_porychka_EndDate", "porychka", "EndDate"},
    {"ix_porychka_PorDate", "porychka", "PorDate"},
    {"ix_porychka_readyDate", "porychka", "readyDate"},
    {"ix_porychka_payDate", "porychka", "payDate"},
};

// The register's "contains" searches on client, device and fiscal memory.
constexpr SearchIndexDef kSearchIndexes[] = {
    {"porychka_search", "porychka", "idPor", "clientNames, clientAdres, clientPhones, Model, Serial, Fiscal"},
};
// clang-format on

bool sameName(const QString &a, const char *b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

const ColumnDef *TableDef::find(const QString &column) const
{
    for (const ColumnDef &c : columns) {
        if (sameName(column, c.name))
            return &c;
    }
    return nullptr;
}

std::span<const TableDef> schemaTables()
{
    return kTables;
}

std::span<const IndexDef> schemaIndexes()
{
    return kIndexes;
}

std::span<const SearchIndexDef> schemaSearchIndexes()
{
    return kSearchIndexes;
}

QStringList SearchIndexDef::columnList() const
{
    QStringList list = QString::fromLatin1(columns).split(QLatin1Char(','));
    for (QString &c : list)
        c = c.trimmed();
    return list;
}

const SearchIndexDef *findSearchIndex(const QString &table, const QString &column)
{
    for (const SearchIndexDef &s : kSearchIndexes) {
        if (sameName(table, s.table) && s.columnList().contains(column.trimmed(), Qt::CaseInsensitive))
            return &s;
    }
    return nullptr;
}

const TableDef *findTable(const QString &name)
{
    for (const TableDef &t : kTables) {
        if (sameName(name, t.name))
            return &t;
    }
    return nullptr;
}

} // namespace morlenta::data
