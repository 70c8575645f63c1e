#pragma once

// The made-up shop of the demo database: a repeatable random source and the
// names, addresses, phones and device numbers a Bulgarian shop sees.

#include <QDate>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>

namespace morlenta::maintenance::demo {

// splitmix64: the same seed gives the same shop on every computer.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 1 ? 0 : int(next() % std::uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }
    // Early entries more often: lists are ordered from the most common name.
    int skewed(int n, double power = 1.6)
    {
        const int i = int(n * std::pow(unit(), power));
        return i < n ? i : n - 1;
    }
    const QString &pick(const QStringList &list) { return list[below(int(list.size()))]; }

private:
    std::uint64_t state_;
};

struct Person {
    QString name;
    bool female = false;
};

class Texts {
public:
    Texts();

    // "Иван Петров", sometimes with the father's name: "Мария Георгиева Колева".
    Person person(Random &r) const;
    // About 150 firm names, every one different.
    QStringList firmNames() const;
    QString firmName(int i) const;
    QString address(Random &r) const;
    QString city(Random &r) const;
    // A mobile "0888 123 456", sometimes with a second number.
    QString phones(Random &r) const;
    QString imei(Random &r) const;
    // Letters and digits as makers print them on the label.
    QString serial(Random &r, const QString &prefix) const;
    QString bulstat(Random &r) const;
    QString timeOfDay(Random &r) const;

    QStringList males, females, surnames, firmWords, firmKinds, firmTrades, cities, streets, estates,
        daysParts, taxOffices;

private:
    QString surname(Random &r, bool female) const;
};

} // namespace morlenta::maintenance::demo
