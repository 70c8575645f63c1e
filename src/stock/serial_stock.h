#pragma once

// Serial-numbered pieces in stock (PartSN): one row per piece, a serial number
// at most once. The postings that move such pieces call these; the second
// serial number SN2 is never written here.

#include <QString>
#include <QStringList>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::stock {

struct SerialPiece {
    qint64 id = 0;
    qint64 idPart = 0;
    QString sn;
};

class SerialStock {
public:
    explicit SerialStock(data::Database &db) : db_(db) {}

    // An article with serials in stock leaves stock one piece at a time, by serial.
    bool hasSerials(qint64 idPart);
    // The article's serials in the order they came in; a chooser presets the first.
    QStringList serialsOf(qint64 idPart);
    std::optional<SerialPiece> find(const QString &sn);

    // The serial of a piece that comes in; false, and nothing written, when the
    // number is empty or already in stock.
    bool add(qint64 idPart, const QString &sn);
    // The serial of a piece that leaves; false when the article has no such serial in stock.
    bool remove(qint64 idPart, const QString &sn);

    // A serial-numbered piece out of stock: its serial and one piece of the
    // quantity, both or neither (false when either is gone already; when the
    // serial was there but no quantity, a larger action it joined rolls back).
    bool takePiece(qint64 idPart, const QString &sn);
    // The piece back: its serial and one piece; false, nothing written, when the
    // serial is in stock already.
    bool returnPiece(qint64 idPart, const QString &sn);

private:
    data::Database &db_;
};

} // namespace morlenta::stock
