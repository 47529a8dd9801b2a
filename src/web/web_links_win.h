// The background notification requests to the vendor's web host. A request runs on a worker
// thread of its own that is never joined: start-up carries on at once, and at exit the
// process waits at most a moment for requests to get onto the wire, never for an answer.
#pragma once
#include <windows.h>

#include <string>

// The longest the process stays after its window has gone for requests that are not yet on
// the wire (a host that cannot be reached at all, a name that takes long to resolve).
constexpr DWORD notificationHandOverLimit = 500;  // milliseconds

// The requests started so far, as the user-interface thread keeps them.
struct NotificationRequests {
  HANDLE thread = nullptr;              // the most recent worker
  HANDLE sent[2] = {nullptr, nullptr};  // per started request: signalled once it is on the wire or has failed
};

// Starts a worker that sends one notification request for url and keeps its handle in
// `requests` (the handle it replaces is closed; closing does not stop that worker).
// The worker gets its own copies of the host and the URL, so it never reads the global
// strings, which the process destroys at exit while a worker may still be running.
// Called on the user-interface thread only.
void startNotificationRequest(NotificationRequests& requests, const std::u16string& url);

// Called once the message loop has ended: waits until every notification request started
// so far has been sent or has failed, for at most notificationHandOverLimit. Answers are
// never waited for, so a server that accepts and never answers does not hold the process.
void waitForNotificationHandOver(NotificationRequests& requests);

// One blocking "HEAD" request for url, the whole URL as the object name, to host on port 80
// through the system's configured proxy. Nothing is read back and every failure is silent.
// sent, when given, is signalled as soon as the request has gone out.
void sendNotificationRequest(const std::wstring& host, const std::wstring& url, HANDLE sent = nullptr);
