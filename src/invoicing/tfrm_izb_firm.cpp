#include "invoicing/tfrm_izb_firm.h"

#include "common/prompt.h"
#include "common/session.h"
#include "invoicing/firms.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morlenta::invoicing {

TfrmIzbFirm::TfrmIzbFirm(Session &session, const QString &preset, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmIzbFirm"));
    setWindowTitle(QStringLiteral("Избор на фирма"));
    listFirms = new QComboBox(this);
    listFirms->setObjectName(QStringLiteral("listFirms"));
    listFirms->setEditable(true);
    listFirms->setInsertPolicy(QComboBox::NoInsert);
    listFirms->completer()->setCompletionMode(QCompleter::PopupCompletion);
    listFirms->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    listFirms->completer()->setFilterMode(Qt::MatchContains);
    for (const Firm &f : allFirms(*session.db))
        listFirms->addItem(f.name, f.id);
    const int at = preset.isEmpty() ? -1 : listFirms->findText(preset);
    listFirms->setCurrentIndex(at);
    if (at < 0)
        listFirms->setEditText(QString());
    BitBtn1 = new QPushButton(QStringLiteral("Избор"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Отказ"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Фирма"), this));
    layout->addWidget(listFirms);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmIzbFirm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, 120);
    listFirms->setFocus();
}

int TfrmIzbFirm::chosenId() const
{
    const int at = listFirms->findText(listFirms->currentText());
    return at >= 0 ? listFirms->itemData(at).toInt() : 0;
}

void TfrmIzbFirm::BitBtn1Click()
{
    // Only a firm of the list can be taken.
    if (chosenId() == 0) {
        listFirms->setFocus();
        return;
    }
    accept();
}

} // namespace morlenta::invoicing
