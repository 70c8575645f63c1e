#pragma once

// TsrDate: the choice of one date, OK or "Отказ". A date outside the allowed
// range is brought to the nearest allowed day.

#include <QDate>
#include <QDialog>

#include <optional>

class QDateEdit;
class QLabel;
class QPushButton;

namespace morlenta {

class TsrDate final : public QDialog {
    Q_OBJECT
public:
    explicit TsrDate(QWidget *parent = nullptr, const QString &caption = {});
    void setLabel(const QString &text);
    void setDate(const QDate &date);
    QDate date() const;
    // Null bounds leave that side open.
    void setDateRange(const QDate &earliest, const QDate &latest);

    // The chosen date, or nothing when cancelled.
    static std::optional<QDate> choose(QWidget *parent, const QString &caption, const QDate &initial,
                                       const QDate &earliest = {}, const QDate &latest = {});

private:
    QLabel *lblDate_;
    QDateEdit *eDate_;
    QPushButton *btnOk_;
    QPushButton *btnCancel_;
};

} // namespace morlenta
