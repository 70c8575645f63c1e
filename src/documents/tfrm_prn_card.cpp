#include "documents/tfrm_prn_card.h"

#include "common/local_settings.h"
#include "documents/document_output.h"
#include "documents/document_templates.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace morlenta::documents {

TfrmPrnCard::TfrmPrnCard(data::Database &db, Prompt &prompt, LocalSettings &settings, const QString &templateFolder,
                         const QString &printFooter, int idPor, QWidget *parent)
    : QDialog(parent), prompt_(prompt), settings_(settings), folder_(templateFolder), footer_(printFooter),
      order_(loadOrderData(db, idPor)), shop_(loadShopData(db)), matrix_(matrixMode(settings))
{
    setObjectName(QStringLiteral("TfrmPrnCard"));
    setWindowTitle(QStringLiteral("Ремонтна карта на поръчка № %1").arg(idPor));
    Check1 = new QCheckBox(QStringLiteral("С цени"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    BitBtn1 = new QPushButton(QStringLiteral("Печат"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Затвори"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *layout = new QVBoxLayout(this);
    if (matrix_) {
        plainPane_ = new QPlainTextEdit(this);
        plainPane_->setObjectName(QStringLiteral("RichEdit1"));
        plainPane_->setReadOnly(true);
        QFont mono(QStringLiteral("Courier New"), 10);
        mono.setStyleHint(QFont::TypeWriter);
        plainPane_->setFont(mono);
        plainPane_->setLineWrapMode(QPlainTextEdit::NoWrap);
        layout->addWidget(plainPane_, 1);
    } else {
        richPane_ = new QTextEdit(this);
        richPane_->setObjectName(QStringLiteral("RichEdit1"));
        richPane_->setReadOnly(true);
        layout->addWidget(richPane_, 1);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(Check1, &QCheckBox::toggled, this, &TfrmPrnCard::initVariables);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmPrnCard::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    resize(820, 640);
    initVariables();
    BitBtn1->setFocus();
}

TfrmPrnCard::~TfrmPrnCard() = default;

void TfrmPrnCard::initVariables()
{
    filled_ = std::make_unique<FilledDocument>(fillTemplate(DocumentKind::ReadyCard, folder_, matrix_,
                                                            readyCardValues(order_, shop_, Check1->isChecked()),
                                                            prompt_, footer_));
    // A missing template leaves nothing to print.
    BitBtn1->setEnabled(filled_->ok);
    if (!filled_->ok)
        return;
    if (plainPane_)
        plainPane_->setPlainText(QString(filled_->text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    else
        richPane_->setDocument(filled_->doc->clone(richPane_));
}

QString TfrmPrnCard::shownText() const
{
    return plainPane_ ? plainPane_->toPlainText() : richPane_->toPlainText();
}

void TfrmPrnCard::BitBtn1Click()
{
    outputDocument(*filled_, prompt_, settings_, this, windowTitle());
}

} // namespace morlenta::documents
