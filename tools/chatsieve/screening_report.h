// What `check` and `mask` print for each text: as text, or one JSON object a line.
#pragma once

#include "screener.h"
#include "screening_settings.h"
#include "text_source.h"

namespace chatsieve::tool {

// check: "listed\tTEXT" or "clean\tTEXT" (nothing with --quiet); mask: the masked text;
// each followed by the text's line end as read.
// JSON: {"line":N,"listed":B,"matches":[...]} for check and {"line":N,"masked":"...",
// "matches":[...]} for mask, each match {"start":S,"end":E,"word":W,"text":"...",
// "category":"...","severity":N} with byte offsets into the line.
void PrintScreening(const ScreeningSettings& settings, const Text& text,
                    const Screening& screening);

}  // namespace chatsieve::tool
