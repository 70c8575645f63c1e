#include "documents/tlx300.h"

#include "common/local_settings.h"
#include "documents/dot_matrix.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>

namespace morlenta::documents {

TLX300::TLX300(Prompt &prompt, LocalSettings &settings, QWidget *parent)
    : QDialog(parent), prompt_(prompt), settings_(settings)
{
    setObjectName(QStringLiteral("TLX300"));
    setWindowTitle(QStringLiteral("Печат на матричен принтер"));
    setMinimumSize(435, 337);
    Edit = new QPlainTextEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    QFont mono(QStringLiteral("Courier New"), 10);
    mono.setStyleHint(QFont::TypeWriter);
    Edit->setFont(mono);
    Edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    PprHeight = new QLineEdit(QStringLiteral("0"), this);
    PprHeight->setObjectName(QStringLiteral("PprHeight"));
    PprWidth = new QLineEdit(QStringLiteral("0"), this);
    PprWidth->setObjectName(QStringLiteral("PprWidth"));
    BitBtn1 = new QPushButton(QStringLiteral("Печат"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Затвори"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Височина на листа (редове, 0 - без делене):"), PprHeight);
    fields->addRow(QStringLiteral("Ширина на фрагмента (знаци, 0 - без делене):"), PprWidth);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Edit, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TLX300::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 560);
}

void TLX300::setDocument(const QString &text, const QString &dosFile)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Edit->setPlainText(plain);
    dosFile_ = dosFile;
}

QStringList TLX300::shownLines() const
{
    QStringList out;
    for (QTextBlock b = Edit->document()->begin(); b.isValid(); b = b.next()) {
        const QString text = b.text();
        const QTextLayout *layout = b.layout();
        if (!layout || layout->lineCount() <= 1) {
            out << text;
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            out << text.mid(line.textStart(), line.textLength());
        }
    }
    return out;
}

void TLX300::BitBtn1Click()
{
    MatrixPrinter printer(prompt_, matrixWorkFolder(), matrixDevice(settings_));
    printer.print(shownLines(), fieldNumber(PprHeight->text()), fieldNumber(PprWidth->text()), dosFile_);
    BitBtn2->setFocus();
}

} // namespace morlenta::documents
