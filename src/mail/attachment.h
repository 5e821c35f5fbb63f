// File attachments of a message: the contents with file name, content type and the
// transfer encoding used when the message is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class AttachmentEncoding { kSevenBit = 0, kBase64 = 1, kQuotedPrintable = 2 };

// The encoding an attachment of this content type is written with: quoted-printable for
// plain, rich and HTML text, 7 bit for a mail message, base64 for everything else.
AttachmentEncoding EncodingForContentType(std::string_view content_type);
// "7bit", "Base64" or "Quoted-Printable".
const char* EncodingName(AttachmentEncoding encoding);

class Attachment {
 public:
  Attachment() = default;

  std::string& Contents() { return contents_; }
  const std::string& Contents() const { return contents_; }

  // The file name, possibly with a path. Setting a non-empty name derives the content
  // type from its extension and the encoding from that type.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(std::string_view file_name);
  // The file name without its path, as written into the message.
  std::string BaseName() const;

  const std::string& ContentType() const { return content_type_; }
  void SetContentType(std::string_view content_type);
  AttachmentEncoding Encoding() const { return encoding_; }
  void SetEncoding(AttachmentEncoding encoding) { encoding_ = encoding; }

  bool operator==(const Attachment&) const = default;

 private:
  std::string contents_;
  std::string file_name_;
  std::string content_type_;
  AttachmentEncoding encoding_ = AttachmentEncoding::kSevenBit;
};

class AttachmentList {
 public:
  std::size_t Count() const { return items_.size(); }
  Attachment& Item(std::size_t index) { return items_.at(index); }
  const Attachment& Item(std::size_t index) const { return items_.at(index); }
  // Attaches a file: its name sets type and encoding, its whole contents are read.
  // Raises EMessageError when the file cannot be read.
  Attachment& Add(std::string_view file_name);
  // Attaches data under a file name, as Add does for a file.
  Attachment& AddData(std::string_view file_name, std::string contents);
  void Delete(std::size_t index);
  void Clear() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const AttachmentList&) const = default;

 private:
  std::vector<Attachment> items_;
};

}  // namespace tw
