#include "mail/content_types.h"

#include <map>

#include "mail/text_util.h"

namespace tw {

std::string ContentTypeForFileName(std::string_view file_name) {
  static const std::map<std::string, std::string, std::less<>> table = {
      {".txt", "text/plain"},
      {".log", "text/plain"},
      {".ini", "text/plain"},
      {".htm", "text/html"},
      {".html", "text/html"},
      {".rtf", "text/rtf"},
      {".csv", "text/csv"},
      {".xml", "text/xml"},
      {".css", "text/css"},
      {".eml", "message/rfc822"},
      {".gif", "image/gif"},
      {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"},
      {".png", "image/png"},
      {".bmp", "image/bmp"},
      {".tif", "image/tiff"},
      {".tiff", "image/tiff"},
      {".ico", "image/x-icon"},
      {".wav", "audio/wav"},
      {".mp3", "audio/mpeg"},
      {".mid", "audio/midi"},
      {".avi", "video/x-msvideo"},
      {".mpg", "video/mpeg"},
      {".mpeg", "video/mpeg"},
      {".mp4", "video/mp4"},
      {".pdf", "application/pdf"},
      {".zip", "application/zip"},
      {".gz", "application/gzip"},
      {".doc", "application/msword"},
      {".xls", "application/vnd.ms-excel"},
      {".ppt", "application/vnd.ms-powerpoint"},
      {".js", "application/javascript"},
      {".json", "application/json"},
  };
  const std::string base = BaseFileName(file_name);
  const auto dot = base.find_last_of('.');
  if (dot == std::string::npos) return "application/octet-stream";
  const auto it = table.find(ToLowerAscii(std::string_view(base).substr(dot)));
  return it == table.end() ? "application/octet-stream" : it->second;
}

}  // namespace tw
