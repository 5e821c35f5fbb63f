#include "mail/mail_strings.h"

#include <netdb.h>

#include <cerrno>
#include <map>

namespace tw {
namespace {

const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table = {
      {57000, "Operation timed out"},
      {57001, "Operation has been canceled"},
      {57002, "Server property is required"},
      {57003, "Invalid Winsock version"},
      {57004, "Error resolving remote host"},
      {57005, "Service name is required"},
      {57008, "You have to connect to the server first"},
      {57010, "Function %s not found"},
      {57011, "Winsock is not loaded"},
      {57012, "Winsock not found"},
      {57013, "The server's reply line is longer than 1024 bytes"},
      {57014, "A command line must not contain a line break"},
      {57015, "The server's reply has more than 512 lines"},
      {57102, "MailMessage property must be assigned"},
      {57103, "UserName property is required"},
      {57104, "Password property is required"},
      {57105, "The server offers no authentication this client knows (PLAIN or LOGIN)"},
      {10000, "[0] No Error"},
      {10004, "[10004] Interrupted function call"},
      {10009, "[10009] Bad file number"},
      {10013, "[10013] Permission denied."},
      {10014, "[10014] Bad address"},
      {10022, "[10022] Invalid argument"},
      {10024, "[10024] Too many open files"},
      {10035, "[10035] Resource temporarily not available"},
      {10036, "[10036] Operation now in progress"},
      {10037, "[10037] Operation already in progress"},
      {10038, "[10038] Socket operation on non-socket"},
      {10039, "[10039] Destination address required"},
      {10040, "[10040] Message too long"},
      {10041, "[10041] Protocol wrong type for socket"},
      {10042, "[10042] Bad protocol option"},
      {10043, "[10043] Protocol not supported"},
      {10044, "[10044] Socket type not supported"},
      {10045, "[10045] Operation not supported"},
      {10046, "[10046] Protocol family not supported"},
      {10047, "[10047] Address family not supported by protocol family"},
      {10048, "[10048] Address already in use"},
      {10049, "[10049] Cannot assign requested address"},
      {10050, "[10050] Network is down"},
      {10051, "[10051] Network is unreachable"},
      {10052, "[10052] Network dropped connection or reset"},
      {10053, "[10053] Software caused connection abort"},
      {10054, "[10054] Connection reset by peer"},
      {10055, "[10055] No buffer space available"},
      {10056, "[10056] Socket is already connected"},
      {10057, "[10057] Socket is not connected"},
      {10058, "[10058] Can't send after socket shutdown"},
      {10059, "[10059] Too many references, can't splice"},
      {10060, "[10060] Connection timed out"},
      {10061, "[10061] Connection refused"},
      {10062, "[10062] Too many levels of symbolic links"},
      {10063, "[10063] File name too long"},
      {10064, "[10064] Host is down"},
      {10065, "[10065] No Route to Host"},
      {10066, "[10066] Directory not empty"},
      {10067, "[10067] Too many processes"},
      {10068, "[10068] Too many users"},
      {10069, "[10069] Disc Quota Exceeded"},
      {10070, "[10070] Stale NFS file handle"},
      {10071, "[10071] Too many levels of remote in path"},
      {10091, "[10091] Network subsystem is unavailable"},
      {10092, "[10092] WINSOCK DLL Version out of range"},
      {10093, "[10093] Successful WSAStartup() not yet performed"},
      {10094, "[10094] Graceful shutdown in progress"},
      {11001, "[11001] Host not found"},
      {11002, "[11002] Non-Authoritative Host not found"},
      {11003, "[11003] Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"},
      {11004, "[11004] Valid name, no data record of requested type"},
  };
  return table;
}

}  // namespace

std::optional<std::string> MailStringText(int id) {
  const auto& table = Table();
  const auto it = table.find(id);
  if (it == table.end()) return std::nullopt;
  return it->second;
}

std::string SocketErrorText(int code) {
  if (auto text = MailStringText(code)) return *text;
  return "Error #" + std::to_string(code);
}

int SocketErrorFromErrno(int error_number) {
  switch (error_number) {
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES:
    case EPERM: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE:
    case ENFILE: return 10024;
    case EAGAIN: return 10035;  // EWOULDBLOCK is the same number here
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;  // ENOTSUP is the same number here
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    case ECONNRESET:
    case EPIPE: return 10054;  // writing to a connection the peer has dropped
    case ENOBUFS:
    case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    case ENOTEMPTY: return 10066;
    case EUSERS: return 10068;
    case EDQUOT: return 10069;
    case ESTALE: return 10070;
    case EREMOTE: return 10071;
    default: return error_number;
  }
}

int SocketErrorFromResolver(int gai_result, int errno_value) {
  switch (gai_result) {
    case 0: return 0;
    case EAI_NONAME: return 11001;
    case EAI_AGAIN: return 11002;
    case EAI_FAIL: return 11003;
#ifdef EAI_NODATA
    case EAI_NODATA: return 11004;
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY: return 11004;
#endif
    case EAI_MEMORY: return 10055;
    case EAI_FAMILY: return 10047;
    case EAI_SOCKTYPE: return 10044;
    case EAI_SYSTEM: return errno_value != 0 ? SocketErrorFromErrno(errno_value) : 11003;
    default: return 11003;
  }
}

}  // namespace tw
