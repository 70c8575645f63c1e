#pragma once

#include "support/session_fixture.h"

namespace morlenta::test {

// The cash desk and rates tests share the plain session.
using FinanceTest = SessionTest;

} // namespace morlenta::test
