#include "stock/serial_search.h"

#include "data/database.h"

namespace morlenta::stock {

Statement serialListStatement(const data::Database &db, const QString &text)
{
    Statement s;
    s.sql = QStringLiteral("select PartSN.id, PartSN.idPart, typeparts.Type, parts.Part, "
                           "coalesce(nullif(parts.Opis, ''), parts.catalogs) as Opis, PartSN.SN "
                           "from PartSN left join parts on parts.id = PartSN.idPart "
                           "left join typeparts on typeparts.id = parts.TypeID");
    const QString t = text.trimmed();
    if (t.size() > 2) {
        QString pattern = t;
        if (!pattern.endsWith(QLatin1Char('*')))
            pattern += QLatin1Char('*');
        if (!pattern.startsWith(QLatin1Char('*')))
            pattern.prepend(QLatin1Char('*'));
        s.sql += QStringLiteral(" where ") + db.likeCondition(QStringLiteral("PartSN.SN"));
        s.params << data::likePattern(pattern);
    }
    s.sql += QStringLiteral(" order by PartSN.id");
    return s;
}

} // namespace morlenta::stock
