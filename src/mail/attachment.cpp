#include "mail/attachment.h"

#include <fstream>
#include <sstream>

#include "mail/content_types.h"
#include "mail/mail_address.h"
#include "mail/mail_errors.h"
#include "mail/text_util.h"

namespace tw {

AttachmentEncoding EncodingForContentType(std::string_view content_type) {
  if (EqualsNoCase(content_type, "text/plain") || EqualsNoCase(content_type, "text/rtf") ||
      EqualsNoCase(content_type, "text/html")) {
    return AttachmentEncoding::kQuotedPrintable;
  }
  if (EqualsNoCase(content_type, "message/rfc822")) return AttachmentEncoding::kSevenBit;
  return AttachmentEncoding::kBase64;
}

const char* EncodingName(AttachmentEncoding encoding) {
  switch (encoding) {
    case AttachmentEncoding::kBase64: return "Base64";
    case AttachmentEncoding::kQuotedPrintable: return "Quoted-Printable";
    case AttachmentEncoding::kSevenBit: break;
  }
  return "7bit";
}

void Attachment::SetFileName(std::string_view file_name) {
  file_name_ = CutTo(file_name, kShortTextMax);
  if (file_name_.empty()) return;
  content_type_ = CutTo(ContentTypeForFileName(file_name_), kShortTextMax);
  encoding_ = EncodingForContentType(content_type_);
}

std::string Attachment::BaseName() const { return BaseFileName(file_name_); }

void Attachment::SetContentType(std::string_view content_type) { content_type_ = CutTo(content_type, kShortTextMax); }

Attachment& AttachmentList::Add(std::string_view file_name) {
  std::ifstream in{std::string(file_name), std::ios::binary};
  if (!in) throw EMessageError("Cannot open file " + std::string(file_name));
  std::ostringstream contents;
  contents << in.rdbuf();
  if (in.bad()) throw EMessageError("Cannot read file " + std::string(file_name));
  return AddData(file_name, std::move(contents).str());
}

Attachment& AttachmentList::AddData(std::string_view file_name, std::string contents) {
  Attachment item;
  item.SetFileName(file_name);
  item.Contents() = std::move(contents);
  items_.push_back(std::move(item));
  return items_.back();
}

void AttachmentList::Delete(std::size_t index) {
  if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace tw
