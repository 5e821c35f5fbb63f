#include "mail/temp_file_stream.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "mail/mail_errors.h"

namespace tw {

TempFileStream::TempFileStream() {
  std::error_code error;
  std::string directory = std::filesystem::temp_directory_path(error).string();
  if (error || directory.empty()) directory = "/tmp";
  std::string name = directory + "/msXXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw EMessageError("Cannot create a temporary file in " + directory);
  ::close(fd);
  path_ = name;
  open(path_, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
  if (!is_open()) {
    ::unlink(path_.c_str());
    throw EMessageError("Cannot open the temporary file " + path_);
  }
}

TempFileStream::~TempFileStream() {
  close();
  ::unlink(path_.c_str());  // a failing delete is of no consequence
}

}  // namespace tw
