// A mail message with recipients: the one the kiosk sends and receives.
#pragma once

#include "mail/message_base.h"

namespace tw {

enum class MailPriority { kLow, kNormal, kHigh };

class MailMessage : public MessageBase {
 public:
  AddressList& Recipients() { return recipients_; }
  const AddressList& Recipients() const { return recipients_; }
  AddressList& CC() { return cc_; }
  const AddressList& CC() const { return cc_; }
  // Blind copies: sent to, never written into the message.
  AddressList& BCC() { return bcc_; }
  const AddressList& BCC() const { return bcc_; }
  bool ReturnReceipt() const { return return_receipt_; }
  void SetReturnReceipt(bool on) { return_receipt_ = on; }
  MailPriority Priority() const { return priority_; }
  void SetPriority(MailPriority priority) { priority_ = priority; }

  void Validate() const override;
  void Clear() override;
  void AssignFromHeaders(const MailHeaders& headers) override;
  void Assign(const MessageBase& other) override;
  void WriteHeaderBlock(MailLineWriter& out) const override;

 protected:
  void CheckHeaderTexts() const override;

 private:
  void WriteAddressHeader(MailLineWriter& out, const char* name, const AddressList& list) const;

  AddressList recipients_;
  AddressList cc_;
  AddressList bcc_;
  bool return_receipt_ = false;
  MailPriority priority_ = MailPriority::kNormal;
};

}  // namespace tw
