#include "mail/line_stream.h"

#include "mail/text_util.h"

namespace tw {

LineStream::LineStream(std::string_view text) : lines_(SplitLines(text)) {}

const std::string& LineStream::Peek() const { return Eof() ? empty_ : lines_[pos_]; }

const std::string& LineStream::ReadLine() { return Eof() ? empty_ : lines_[pos_++]; }

}  // namespace tw
