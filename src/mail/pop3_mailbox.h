// The POP3 client the kiosk uses: the list of messages with sizes and header blocks,
// and retrieved messages handed to an event or written to "msg_<index>.eml" files.
#pragma once

#include <functional>
#include <string>

#include "mail/pop3_client.h"
#include "mail/pop3_message_list.h"

namespace tw {

class Pop3Mailbox : public Pop3Client {
 public:
  using MessageSavedHandler = std::function<void(int num, const std::string& contents)>;

  // Ends with "/" when not empty.
  const std::string& MessageDirectory() const { return message_directory_; }
  void SetMessageDirectory(std::string directory);
  Pop3MessageList& Info() { return info_; }
  const Pop3MessageList& Info() const { return info_; }

  TNotifyEvent OnUpdatingInfo;
  TNotifyEvent OnInfoUpdated;
  MessageNumberHandler OnNextInfoUpdated;
  MessageSavedHandler OnUserMessageSave;
  // Kept for the forms that bind them; never fired.
  TNotifyEvent OnTransferringData;
  TNotifyEvent OnDataTransfered;

  // Connects, fills Info with one item per message, disconnects.
  void UpdateInfo();

 protected:
  // To OnUserMessageSave when assigned, otherwise to MessageDirectory + "msg_<index>.eml".
  void SaveMessage(int index, const std::string& contents) override;

 private:
  std::string message_directory_;
  Pop3MessageList info_;
};

}  // namespace tw
