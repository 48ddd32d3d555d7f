// The two requests of the online services, run synchronously on the network worker: the
// statistics post over WinHTTP and the version file over WinINet; and the time-based UUID.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/app/online_logic.h"
#include "core/online/request_lane.h"

namespace quillo {

// HttpPostForm: posts the body with the request settings of the submission (TLS 1.2, plus 1.3
// where offered; no cookies; no redirects; the user agent; connect and response time-outs). A
// reply of any status, a 3xx too, is returned as received; `error` says why there was none.
// `abort` can end the request from another thread.
SubmitReply HttpPostForm(const SubmitRequest& request, RequestAbort& abort);

// WebGetText: the whole content at `url`, always fetched fresh, converted from the system code
// page. Fails when the address cannot be opened or read, or the content is over 1 MiB. `abort`
// can end the request from another thread.
FetchReply WebGetText(const std::string& url, RequestAbort& abort);

// UuidCreateSequential's 16 bytes in memory order (its status is not needed: a local-only UUID
// still has a node field).
std::array<uint8_t, 16> NewTimeBasedUuid();

// "<what>: (<code>) <reason>" for a WinHTTP, WinINet or socket error code.
std::string NetErrorText(const std::string& what, unsigned long code);

}  // namespace quillo
