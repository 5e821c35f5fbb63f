// A read-write file stream on a new file in the system's temporary directory (name
// beginning with "ms"); the file is deleted when the stream is destroyed. The SMTP client
// encodes the message into one before sending it.
#pragma once

#include <fstream>
#include <string>

namespace tw {

class TempFileStream : public std::fstream {
 public:
  // Raises EMessageError when no temporary file can be created.
  TempFileStream();
  ~TempFileStream() override;
  TempFileStream(const TempFileStream&) = delete;
  TempFileStream& operator=(const TempFileStream&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tw
