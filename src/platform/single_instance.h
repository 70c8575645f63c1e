#pragma once

// One running copy of the program per user on this computer.

#include <memory>

class QLockFile;

namespace morlenta {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    // False when another copy already runs.
    bool isFirst() const { return first_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

} // namespace morlenta
