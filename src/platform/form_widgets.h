#pragma once

// The controls every window builds the same way: named as the window's
// documents name them, buttons that do not grab Enter.

class QComboBox;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;

namespace morlenta {

QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption);
// `maxLength` 0 leaves the length free.
QLineEdit *namedLineEdit(QWidget *parent, const char *name, int maxLength = 0);
// An editable box takes its own text and completes from its list without regard to letter case.
QComboBox *namedComboBox(QWidget *parent, const char *name, bool editable = false);

} // namespace morlenta
