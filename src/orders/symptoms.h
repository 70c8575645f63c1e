#pragma once

// The shop's catalogue of typical faults, also a chooser for the defect text.

#include <QList>
#include <QString>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

struct Symptom {
    int id = 0; // 0 for a new one
    QString description, marka, codeAdd;
};

// The line appended to the defect: description[, група: brand][, код: code];
QString symptomDefectLine(const Symptom &s);

// Trims and stores the symptom (a new one gets value 0); the message when
// the description is empty.
std::optional<QString> saveSymptom(data::Database &db, Symptom &s);
void deleteSymptom(data::Database &db, int id);
QString emptySymptomMessage();

} // namespace morlenta::orders
