#include "orders/symptoms.h"

#include "data/database.h"

namespace morlenta::orders {

QString symptomDefectLine(const Symptom &s)
{
    QString line = s.description;
    if (!s.marka.isEmpty())
        line += QStringLiteral(", група: ") + s.marka;
    if (!s.codeAdd.isEmpty())
        line += QStringLiteral(", код: ") + s.codeAdd;
    return line + QLatin1Char(';');
}

QString emptySymptomMessage()
{
    return QStringLiteral("Полето за описание на симптома не може да бъде празно!");
}

std::optional<QString> saveSymptom(data::Database &db, Symptom &s)
{
    s.description = s.description.trimmed();
    s.marka = s.marka.trimmed();
    s.codeAdd = s.codeAdd.trimmed();
    if (s.description.isEmpty())
        return emptySymptomMessage();
    if (s.id == 0) {
        s.id = int(db.insert(QStringLiteral("Sympt_Codes"), {{QStringLiteral("Description"), s.description},
                                                             {QStringLiteral("Marka"), s.marka},
                                                             {QStringLiteral("code_add"), s.codeAdd},
                                                             {QStringLiteral("Value"), 0}}));
    } else {
        db.execute(
            QStringLiteral("update Sympt_Codes set Description = ?, Marka = ?, code_add = ? where ID = ?"),
            {s.description, s.marka, s.codeAdd, s.id});
    }
    return std::nullopt;
}

void deleteSymptom(data::Database &db, int id)
{
    db.execute(QStringLiteral("delete from Sympt_Codes where ID = ?"), {id});
}

} // namespace morlenta::orders
