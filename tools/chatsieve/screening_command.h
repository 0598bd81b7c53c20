// What `check` and `mask` share: every text screened and printed in turn, and the
// exit status.
#pragma once

#include "commands.h"
#include "screening_settings.h"

namespace chatsieve::tool {

// Exit status 0; 1 when check found a listed word; 2 when any error occurred (bad
// usage, a list that does not load, unreadable input or unwritable output, a text the
// legacy interface cannot take), the other texts still screened. Since 2 hides 1, a
// note on standard error tells when check found listed words as well.
int RunScreening(ScreeningCommand command, Arguments arguments, void (*print_help)());

}  // namespace chatsieve::tool
