// The form encoding of the statistics submission's values: worked on UTF-16 code units, as the
// service has always received them.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

// Letters, digits and ! $ ' ( ) * - . @ _ stay; a space becomes "+"; any other character below 128
// becomes "%XX"; a character of 128 or above (a surrogate pair taken together) becomes the
// "%XX" of each of its UTF-8 bytes. A lone surrogate, which has no UTF-8 form, is sent as U+FFFD.
std::string FormEncode(std::u16string_view text);
// The same for the core's UTF-8 text.
std::string FormEncode(std::string_view utf8);

}  // namespace quillo
