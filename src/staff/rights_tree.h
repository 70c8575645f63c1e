#pragma once

// The rights tree of the clerk window: one node per position of the rights
// string, in position order (a group's members follow it). Group nodes guard
// nothing; their digit says whether all (1), none (2) or some (3) of their
// members are granted.

#include <QList>
#include <QString>

#include <span>

namespace morlenta::staff {

struct RightNode {
    int position; // from 1
    int parent;   // the group's position, 0 at the top
    const char *caption;
};

std::span<const RightNode> rightsTree();
bool isRightsGroup(int position);

// The rights string as the tree stores it: one digit per node. A member takes
// "1" when granted in `rights` and "2" otherwise (a position beyond the end is
// denied); groups follow their members. Positions whose character is not a
// digit are added to `notDigits`.
QString treeRights(const QString &rights, QList<int> *notDigits = nullptr);

} // namespace morlenta::staff
