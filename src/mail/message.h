// A mail message with recipients: the one the kiosk sends and receives.
#pragma once

#include "mail/custom_message.h"

namespace tw {

enum class TPriority { ptLow, ptNormal, ptHigh };

class TmsMessage : public TmsCustomMessage {
 public:
  TmsAddressList& Recipients() { return recipients_; }
  const TmsAddressList& Recipients() const { return recipients_; }
  TmsAddressList& CC() { return cc_; }
  const TmsAddressList& CC() const { return cc_; }
  // Blind copies: sent to, never written into the message.
  TmsAddressList& BCC() { return bcc_; }
  const TmsAddressList& BCC() const { return bcc_; }
  bool ReturnReceipt() const { return return_receipt_; }
  void SetReturnReceipt(bool on) { return_receipt_ = on; }
  TPriority Priority() const { return priority_; }
  void SetPriority(TPriority priority) { priority_ = priority; }

  void Validate() const override;
  void Clear() override;
  void AssignFromHeaders(const TmsHeaders& headers) override;
  void Assign(const TmsCustomMessage& other) override;
  void WriteHeaderBlock(MailLineWriter& out) const override;

 protected:
  void CheckHeaderTexts() const override;

 private:
  void WriteAddressHeader(MailLineWriter& out, const char* name, const TmsAddressList& list) const;

  TmsAddressList recipients_;
  TmsAddressList cc_;
  TmsAddressList bcc_;
  bool return_receipt_ = false;
  TPriority priority_ = TPriority::ptNormal;
};

}  // namespace tw
