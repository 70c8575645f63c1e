#pragma once

// Help topics: HTML pages shipped inside the program, shown in a browser window.

#include <QString>

class QWidget;

namespace morlenta {

// True when the topic has a page.
bool hasHelpTopic(const QString &topic);
// Shows the topic's page (or the contents page when it has none).
void showHelpTopic(const QString &topic, QWidget *parent = nullptr);

} // namespace morlenta
