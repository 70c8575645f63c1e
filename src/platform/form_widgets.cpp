#include "platform/form_widgets.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>

namespace morlenta {

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit *namedLineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QComboBox *namedComboBox(QWidget *parent, const char *name, bool editable)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->completer()->setCompletionMode(QCompleter::PopupCompletion);
        c->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    }
    return c;
}

} // namespace morlenta
