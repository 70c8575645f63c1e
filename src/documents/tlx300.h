#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace morlenta {
class Prompt;
class LocalSettings;
} // namespace morlenta

namespace morlenta::documents {

// The dot-matrix print window: the text as it will print, the sheet height
// and the fragment width.
class TLX300 : public QDialog {
    Q_OBJECT
public:
    TLX300(Prompt &prompt, LocalSettings &settings, QWidget *parent = nullptr);

    // The document to print and its output file name ("order.prn", ...).
    void setDocument(const QString &text, const QString &dosFile);
    // The lines as the preview shows them (wrapped), as they print.
    QStringList shownLines() const;

    QPlainTextEdit *Edit;
    QLineEdit *PprHeight;
    QLineEdit *PprWidth;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

private:
    void BitBtn1Click();
    Prompt &prompt_;
    LocalSettings &settings_;
    QString dosFile_;
};

} // namespace morlenta::documents
