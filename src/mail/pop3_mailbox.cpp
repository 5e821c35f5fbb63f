#include "mail/pop3_mailbox.h"

#include <fstream>

namespace tw {

void Pop3Mailbox::SetMessageDirectory(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  message_directory_ = std::move(directory);
}

void Pop3Mailbox::UpdateInfo() {
  Connect();
  if (OnUpdatingInfo) OnUpdatingInfo();
  info_.Clear();
  for (int index = 0; index < MessageCount(); ++index) {
    Pop3MessageInfo item;
    FetchInfo(index, item, true, false);
    info_.Add(std::move(item));
    if (OnNextInfoUpdated) OnNextInfoUpdated(static_cast<int>(info_.Count()) - 1);
  }
  Disconnect();
  if (OnInfoUpdated) OnInfoUpdated();
}

void Pop3Mailbox::SaveMessage(int index, const std::string& contents) {
  if (OnUserMessageSave) {
    OnUserMessageSave(index, contents);
    return;
  }
  const std::string path = message_directory_ + "msg_" + std::to_string(index) + ".eml";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();
  // A message that did not reach its file must not look retrieved.
  if (!out) throw EMailError("Cannot write the message file " + path);
}

}  // namespace tw
