#pragma once

// The characters no shown text should carry as they are: controls, and the marks that turn
// the direction text is shown in.

#include <string>
#include <string_view>

namespace quiz {

// C0 controls, DEL and C1 controls: they break a line, end it (NUL) or drive a terminal.
bool isControl(char32_t c);

// The marks that reorder how text is shown (LRM, RLM, ALM, embeddings, overrides, isolates),
// which can make one name look like another.
bool isDirectionMark(char32_t c);

// The space separators of Unicode (category Zs): the ASCII space, the no-break space, the
// typographic spaces of U+2000 to U+200A, the narrow and the mathematical space, the ideographic
// space. Each looks like a blank, so a text keeps them as one ASCII space or not at all.
bool isBlank(char32_t c);

// The ASCII controls (C0 and DEL) as '?', byte by byte, so that a message stays one line.
std::string scrubControls(std::string_view text);

} // namespace quiz
