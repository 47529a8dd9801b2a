#include "web/web_links_win.h"

#include <wininet.h>

#include <memory>

#include "common/globals.h"
#include "common/handles_win.h"
#include "common/text_seam_win.h"

namespace {

// What a worker owns: its own copies of the texts and its own handle of the event that tells
// the user-interface thread the request is on its way. Freed by the worker when it ends.
struct NotificationRequest {
  std::wstring host;
  std::wstring url;
  HANDLE sent;
};

// WinINet reports progress on the worker's own thread (the calls are blocking); the context
// value is the event to signal once the request has been written to the connection.
void CALLBACK onRequestStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID, DWORD) {
  if (status == INTERNET_STATUS_REQUEST_SENT && context) SetEvent(reinterpret_cast<HANDLE>(context));
}

DWORD WINAPI runNotificationRequest(LPVOID parameter) {
  const std::unique_ptr<NotificationRequest> request(static_cast<NotificationRequest*>(parameter));
  sendNotificationRequest(request->host, request->url, request->sent);
  // Sent or failed, the request no longer needs the process.
  if (request->sent) {
    SetEvent(request->sent);
    CloseHandle(request->sent);
  }
  return 0;
}

// Keeps a request's hand-over event for the wait at exit: one slot for the start-up request,
// one for the exit request. A request beyond those is simply not waited for.
void keepHandOverEvent(NotificationRequests& requests, HANDLE sent) {
  if (!sent) return;
  for (HANDLE& slot : requests.sent) {
    if (!slot) {
      slot = sent;
      return;
    }
  }
  CloseHandle(sent);
}

}  // namespace

void sendNotificationRequest(const std::wstring& host, const std::wstring& url, HANDLE sent) {
  // WinINet only reports status for a non-zero context, so a request without an event
  // still passes 1.
  const DWORD_PTR context = sent ? reinterpret_cast<DWORD_PTR>(sent) : 1;
  const InternetHandle session(
      InternetOpenW(L"Tandemox notification agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return;
  // Set before the connection is opened, so the connection and the request inherit it.
  if (sent) InternetSetStatusCallbackW(session.get(), onRequestStatus);
  const InternetHandle connection(InternetConnectW(session.get(), host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr,
                                                   nullptr, INTERNET_SERVICE_HTTP, 0, context));
  if (!connection) return;
  const InternetHandle request(HttpOpenRequestW(connection.get(), L"HEAD", url.c_str(), nullptr, nullptr, nullptr,
                                                INTERNET_FLAG_KEEP_CONNECTION, context));
  if (!request) return;
  // The answer is of no interest: the request itself is the notification.
  HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0);
}

void startNotificationRequest(NotificationRequests& requests, const std::u16string& url) {
  // The event that tells the exit this request is on its way; the worker signals its own
  // handle of it, so either side may close theirs first.
  HANDLE sent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE workerSent = nullptr;
  if (sent &&
      !DuplicateHandle(GetCurrentProcess(), sent, GetCurrentProcess(), &workerSent, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    workerSent = nullptr;
  }
  // The copies are taken here, on the user-interface thread, while the globals are alive.
  auto request =
      std::make_unique<NotificationRequest>(NotificationRequest{toWideText(vendorHost), toWideText(url), workerSent});
  const HANDLE worker = CreateThread(nullptr, 0, runNotificationRequest, request.get(), 0, nullptr);
  if (worker) {
    request.release();  // the worker owns it now
  } else if (workerSent) {
    CloseHandle(workerSent);
    workerSent = nullptr;
  }
  // An event that no worker will signal must not be waited for.
  if (sent && !workerSent) {
    CloseHandle(sent);
    sent = nullptr;
  }
  keepHandOverEvent(requests, sent);
  // Only the newest worker's handle is kept; the one it replaces would otherwise never be closed.
  if (requests.thread) CloseHandle(requests.thread);
  requests.thread = worker;
}

void waitForNotificationHandOver(NotificationRequests& requests) {
  HANDLE pending[std::size(requests.sent)];
  DWORD count = 0;
  for (HANDLE& sent : requests.sent) {
    if (sent) pending[count++] = sent;
    sent = nullptr;
  }
  if (count > 0) WaitForMultipleObjects(count, pending, TRUE, notificationHandOverLimit);
  for (DWORD i = 0; i < count; ++i) CloseHandle(pending[i]);
}
