#include "mail/line_stream.h"

#include "mail/text_util.h"

namespace tw {

TLineStream::TLineStream(std::string_view text) : lines_(SplitLines(text)) {}

const std::string& TLineStream::Peek() const { return Eof() ? empty_ : lines_[pos_]; }

const std::string& TLineStream::ReadLine() { return Eof() ? empty_ : lines_[pos_++]; }

}  // namespace tw
