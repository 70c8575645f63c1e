#pragma once

#include "documents/document_values.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace morlenta {
class Prompt;
class LocalSettings;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::documents {

struct FilledDocument;

// The ready card of one order: the prices box, the filled card and its print.
class TfrmPrnCard : public QDialog {
    Q_OBJECT
public:
    TfrmPrnCard(data::Database &db, Prompt &prompt, LocalSettings &settings, const QString &templateFolder,
                const QString &printFooter, int idPor, QWidget *parent = nullptr);
    ~TfrmPrnCard() override;

    // Fills the template again with the order and the prices box.
    void initVariables();
    QString shownText() const;

    QCheckBox *Check1;
    QPushButton *BitBtn1;  // print
    QPushButton *BitBtn2;  // close

private:
    void BitBtn1Click();

    Prompt &prompt_;
    LocalSettings &settings_;
    QString folder_;
    QString footer_;
    OrderData order_;
    ShopData shop_;
    bool matrix_;
    std::unique_ptr<FilledDocument> filled_;
    QTextEdit *richPane_ = nullptr;
    QPlainTextEdit *plainPane_ = nullptr;
};

} // namespace morlenta::documents
